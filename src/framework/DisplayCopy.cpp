#include "framework/DisplayCopy.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVELAN_HAVE_SSSE3_PATH 1
#endif

namespace orvelan {

namespace detail {

namespace {

static_assert(TDisplayCopy::kTile == 16, "the vector path copies one tile row at a time");

uint32_t Opaque(const uint8_t* bgr) {
  return 0xff000000u | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | uint32_t{bgr[0]};
}

// Pixels [begin, end) one at a time.
void CopyPixelsPlain(const uint8_t* bgr, uint32_t* xrgb, int begin, int end,
                     uint8_t* changedTiles) {
  for (int x = begin; x < end; ++x) {
    const uint32_t pixel = Opaque(bgr + TRgbImage::kBytesPerPixel * x);
    if (xrgb[x] != pixel) {
      xrgb[x] = pixel;
      changedTiles[x / TDisplayCopy::kTile] = 1;
    }
  }
}

#ifdef ORVELAN_HAVE_SSSE3_PATH
// Sixteen pixels (48 bytes in, 64 bytes out) per step: three loads, four byte shuffles that
// spread B, G, R into the low three bytes of each 32-bit lane, an opaque alpha, and a
// comparison with the old pixels. Returns the pixels not yet copied (fewer than 16).
__attribute__((target("ssse3"))) int CopyTilesSsse3(const uint8_t* bgr, uint32_t* xrgb,
                                                    int width, uint8_t* changedTiles) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xff000000u));
  int tile = 0;
  for (; (tile + 1) * 16 <= width; ++tile) {
    const std::ptrdiff_t first = std::ptrdiff_t{16} * tile;  // first pixel of the tile
    const auto* in = reinterpret_cast<const __m128i*>(bgr + TRgbImage::kBytesPerPixel * first);
    auto* out = reinterpret_cast<__m128i*>(xrgb + first);
    const __m128i s0 = _mm_loadu_si128(in);
    const __m128i s1 = _mm_loadu_si128(in + 1);
    const __m128i s2 = _mm_loadu_si128(in + 2);
    const __m128i p0 = _mm_or_si128(_mm_shuffle_epi8(s0, spread), alpha);
    const __m128i p1 = _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(s1, s0, 12), spread), alpha);
    const __m128i p2 = _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(s2, s1, 8), spread), alpha);
    const __m128i p3 = _mm_or_si128(_mm_shuffle_epi8(_mm_srli_si128(s2, 4), spread), alpha);
    const __m128i same =
        _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi32(p0, _mm_loadu_si128(out)),
                                    _mm_cmpeq_epi32(p1, _mm_loadu_si128(out + 1))),
                      _mm_and_si128(_mm_cmpeq_epi32(p2, _mm_loadu_si128(out + 2)),
                                    _mm_cmpeq_epi32(p3, _mm_loadu_si128(out + 3))));
    if (_mm_movemask_epi8(same) != 0xffff) {
      _mm_storeu_si128(out, p0);
      _mm_storeu_si128(out + 1, p1);
      _mm_storeu_si128(out + 2, p2);
      _mm_storeu_si128(out + 3, p3);
      changedTiles[tile] = 1;
    }
  }
  return tile * 16;
}

const bool kHaveSsse3 = __builtin_cpu_supports("ssse3");
#endif

}  // namespace

void CopyRow(const uint8_t* bgr, uint32_t* xrgb, int width, uint8_t* changedTiles) {
  int done = 0;
#ifdef ORVELAN_HAVE_SSSE3_PATH
  if (kHaveSsse3) done = CopyTilesSsse3(bgr, xrgb, width, changedTiles);
#endif
  CopyPixelsPlain(bgr, xrgb, done, width, changedTiles);
}

}  // namespace detail

QRegion TDisplayCopy::Update(const TRgbImage& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  const bool resized = FImage.width() != width || FImage.height() != height;
  if (resized) {
    FImage = width > 0 && height > 0 ? QImage(width, height, QImage::Format_RGB32) : QImage();
    FImage.fill(Qt::black);  // what a new picture starts as; the loop copies the rest
  }
  if (FImage.isNull()) return {};
  const int columns = (width + kTile - 1) / kTile;
  std::vector<uint8_t> changed(static_cast<std::size_t>(columns));
  // The rows straight from the pixel buffer: scanLine() would check for a shared copy to
  // detach on every row.
  uchar* const bits = FImage.bits();
  const qsizetype stride = FImage.bytesPerLine();
  QRegion region;
  for (int top = 0; top < height; top += kTile) {
    const int bottom = std::min(top + kTile, height);
    std::fill(changed.begin(), changed.end(), uint8_t{0});
    for (int y = top; y < bottom; ++y) {
      detail::CopyRow(picture.Row(y), reinterpret_cast<uint32_t*>(bits + stride * y), width,
                      changed.data());
    }
    // Runs of changed tiles become rectangles; the region merges them across bands.
    for (int column = 0; column < columns;) {
      if (changed[column] == 0) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns && changed[column] != 0) ++column;
      const int left = first * kTile;
      region += QRect(left, top, std::min(column * kTile, width) - left, bottom - top);
    }
  }
  return resized ? QRegion(0, 0, width, height) : region;
}

}  // namespace orvelan
