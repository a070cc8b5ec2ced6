// The observation settings: everything the user can set, as one plain record.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvelan {

// Glass of a single wedge. The value is the item index of the glass list.
enum class TGlass : int16_t { BK7 = 0, SF2 = 1 };

// Prism type. The codes are the ones the settings log writes.
enum class TPrismType : int16_t { Single = 1, Hybrid = 2 };

// A snapshot of the ten numeric settings, the glass and the prism type. Every numeric field
// lies between its minimum and maximum (see kNumericSettings) on the step grid; the defaults
// are the values of a fresh start.
struct TSettings {
  int16_t Altitude = 45;       // apparent altitude of the planet, whole degrees
  int16_t Elevation = 0;       // observer's height above sea level, metres
  int16_t PlanetSize = 30;     // apparent diameter of the planet, arcseconds
  int16_t WavelengthR = 660;   // red filter, nanometres
  int16_t WavelengthG = 550;   // green filter, nanometres
  int16_t WavelengthB = 440;   // blue filter, nanometres
  int16_t FocalLength = 6000;  // telescope focal length, millimetres
  int16_t PrismAngle = 0;      // wedge angle, tenths of a degree (10 is 1.0 degree)
  int16_t PrismPosition = 50;  // distance from the wedge to the sensor, millimetres
  int16_t ImageShift = 0;      // offset of the planet image from the optical axis, millimetres
  TGlass Glass = TGlass::BK7;
  TPrismType PrismType = TPrismType::Single;

  friend bool operator==(const TSettings&, const TSettings&) = default;
};

// One numeric setting: its field, its range on the spin button and its line in the settings log.
struct TNumericSetting {
  std::string_view Name;      // field name, for messages and accessible names
  int16_t TSettings::*Field;  // where the value lives in a snapshot
  int16_t Minimum;
  int16_t Maximum;
  int16_t Step;
  int16_t Default;
  std::string_view LogKey;    // exactly 10 characters, padded with spaces
};

// The ten numeric settings, in the order of the settings log.
inline constexpr std::array<TNumericSetting, 10> kNumericSettings{{
    {"Altitude", &TSettings::Altitude, 5, 90, 1, 45, "Altitude  "},
    {"Elevation", &TSettings::Elevation, 0, 10000, 100, 0, "Elevation "},
    {"PlanetSize", &TSettings::PlanetSize, 1, 100, 1, 30, "Size      "},
    {"WavelengthR", &TSettings::WavelengthR, 300, 900, 10, 660, "Red       "},
    {"WavelengthG", &TSettings::WavelengthG, 300, 900, 10, 550, "Green     "},
    {"WavelengthB", &TSettings::WavelengthB, 300, 900, 10, 440, "Blue      "},
    {"FocalLength", &TSettings::FocalLength, 1000, 30000, 100, 6000, "FL        "},
    {"PrismAngle", &TSettings::PrismAngle, -100, 100, 1, 0, "Angle     "},
    {"PrismPosition", &TSettings::PrismPosition, 0, 100, 1, 50, "Prism     "},
    {"ImageShift", &TSettings::ImageShift, -10, 10, 1, 0, "Shift     "},
}};

inline constexpr std::string_view kPrismTypeLogKey = "Type      ";

namespace detail {
// The table and the record's defaults must tell the same story; checked at compile time.
consteval bool NumericSettingsAreConsistent() {
  const TSettings defaults;
  for (const TNumericSetting& s : kNumericSettings) {
    if (defaults.*s.Field != s.Default || s.LogKey.size() != 10 || s.Step <= 0) return false;
    if (s.Default < s.Minimum || s.Default > s.Maximum) return false;
    if ((s.Default - s.Minimum) % s.Step != 0 || (s.Maximum - s.Default) % s.Step != 0) return false;
  }
  return kPrismTypeLogKey.size() == 10;
}
}  // namespace detail
static_assert(detail::NumericSettingsAreConsistent());

}  // namespace orvelan
