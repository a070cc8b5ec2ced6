#include "ui/SettingsLog.h"

#include <charconv>
#include <fstream>
#include <locale>
#include <vector>

namespace orvelan {

namespace {

// Key and value of one line, without the line end.
std::string Line(std::string_view key, int value) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  std::string line(key);
  line.append(digits, end);
  return line;
}

std::vector<std::string> Lines(const TSettings& settings) {
  std::vector<std::string> lines;
  lines.reserve(kNumericSettings.size() + 1);
  for (const TNumericSetting& s : kNumericSettings) lines.push_back(Line(s.LogKey, settings.*s.Field));
  lines.push_back(Line(kPrismTypeLogKey, static_cast<int>(settings.PrismType)));
  return lines;
}

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string SettingsLogText(const TSettings& settings) {
  std::string text;
  for (const std::string& line : Lines(settings)) (text += line) += kLineEnd;
  return text;
}

void WriteSettingsLog(const TSettings& settings, const std::filesystem::path& file) noexcept {
  try {
    // Binary mode: the CR LF line ends are written as they stand on every platform.
    std::ofstream out;
    out.imbue(std::locale::classic());
    out.open(file, std::ios::out | std::ios::trunc | std::ios::binary);
    // A stream that failed to open or to write stays failed: every later write and the close
    // then do nothing, which is the silent failure wanted here.
    for (const std::string& line : Lines(settings)) {
      out << line << kLineEnd;
      out.flush();
    }
  } catch (...) {
    // Only memory exhaustion can get here; closing the window matters more than the log.
  }
}

}  // namespace orvelan
