// The settings log: the settings with which a run ended, written when the main window closes
// and never read back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/Settings.h"

namespace orvelan {

// The log's bare file name: it lands in the current directory at the moment of writing.
inline constexpr std::string_view kSettingsLogName = "Orvelan.log";

// The log's content: eleven ASCII lines, each a 10-character key straight followed by the
// value and ended by CR LF. Lines 1 to 10 are the numeric settings in kNumericSettings order
// (signed decimal, no padding); line 11 is the prism type code (1 Single, 2 Hybrid).
std::string SettingsLogText(const TSettings& settings);

// Writes the log to `file`: creates it or truncates it, then writes line by line and hands each
// finished line to the file before forming the next. Every failure is silent by design (the
// program must close whatever the disk says): a file that cannot be opened is left alone, and
// a write that fails part way keeps the lines already handed over. Never throws.
void WriteSettingsLog(const TSettings& settings,
                      const std::filesystem::path& file = kSettingsLogName) noexcept;

}  // namespace orvelan
