// Colours of the drawing surface: 24-bit values 0xBBGGRR (blue in the high byte, red in the low).
#pragma once

#include <cstdint>

namespace orvelan {

using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clPaleAqua = 0xFFFF96;  // blue 255, green 255, red 150

constexpr TColor RgbColor(uint8_t red, uint8_t green, uint8_t blue) {
  return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}
constexpr uint8_t RedOf(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

}  // namespace orvelan
