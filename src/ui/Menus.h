// The main menu's captions and the About box.
#pragma once

#include <QString>

#include <string_view>

namespace orvelan {

// Captions; "&" marks the access key of each.
inline constexpr std::string_view kFileMenuCaption = "ファイル(&F)";
inline constexpr std::string_view kExitCaption = "終了(&X)";
inline constexpr std::string_view kVersionMenuCaption = "バージョン(&V)";
inline constexpr std::string_view kAboutCaption = "情報(&I)";

// The About text: four lines joined by single line feeds, no line feed after the last.
QString AboutText();

// The About box: the plain message dialog (no icon, one OK button, centred on the screen,
// captioned with the application's title), modal; returns when the user closes it.
void ShowAboutBox();

}  // namespace orvelan
