#include "framework/CachedLook.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace orvelan {

QString LookKey(const char* kind, std::initializer_list<long long> values, qreal ratio) {
  std::array<char, 256> text{};
  char* end = text.data() + text.size();
  const std::size_t kindLength = std::min(std::strlen(kind), text.size());
  char* at = std::copy_n(kind, kindLength, text.data());
  for (long long value : values) {
    if (at == end) break;
    *at++ = '-';
    at = std::to_chars(at, end, value).ptr;
  }
  if (at != end) {
    *at++ = '-';
    at = std::to_chars(at, end, static_cast<long long>(std::lround(ratio * 1000))).ptr;
  }
  return QString::fromLatin1(text.data(), at - text.data());
}

}  // namespace orvelan
