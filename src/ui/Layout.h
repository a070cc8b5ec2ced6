// The main window's layout as data: every control with its parent, caption, place, size,
// tab order and state. Positions are logical pixels (96 per inch) from the parent's top left.
#pragma once

#include <QString>

#include <array>
#include <string_view>
#include <variant>

#include "ui/Main.h"

namespace orvelan {

// A text of the window's tables (UTF-8) as Qt takes it.
inline QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Which member of TForm1 a layout row creates; the member's type is the control's kind.
using TControlMember =
    std::variant<QFrame* TForm1::*, TGroupBox* TForm1::*, TImage* TForm1::*,
                 TEdit* TForm1::*, TLabel* TForm1::*, TUpDown* TForm1::*,
                 QComboBox* TForm1::*, QRadioButton* TForm1::*>;

struct TControlLayout {
  TControlMember Member;
  std::string_view Name;
  std::string_view Parent;   // name of the parent control; empty: the window itself
  std::string_view Caption;  // caption or initial text (UTF-8); spin buttons: none
  int Left = 0;
  int Top = 0;
  int Width = 0;   // 0: labels size themselves to their caption
  int Height = 0;
  int TabOrder = -1;  // position among the parent's children in the tab order; -1: none
  bool ReadOnly = false;
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;
};

// In the order in which the controls are created (later controls lie on top of earlier ones).
extern const std::array<TControlLayout, 69> kLayout;

// Spin button, text box and click handler of each numeric setting, in kNumericSettings order.
struct TSpinBinding {
  TUpDown* TForm1::*Spin;
  TEdit* TForm1::*Edit;
  void (TForm1::*Click)();
};
extern const std::array<TSpinBinding, kNumericSettings.size()> kSpinBindings;

// What a screen reader says for a control: a name and, where it helps, a description.
// Every read-out label, spin button, text box and picture box has one. A read-out label is
// named by its meaning; its current text is the reading, which the window exposes as the
// label's value and text (see TForm1). Spin buttons carry the setting with its unit; text
// boxes, which only display the setting, say so in their name.
struct TAccessibleText {
  std::string_view Control;      // the control's name in kLayout
  std::string_view Name;
  std::string_view Description;  // empty: none
};
extern const std::array<TAccessibleText, 38> kAccessibleTexts;

// Items of the glass list; the item index is the TGlass value.
inline constexpr std::array<std::string_view, 2> kGlassItems{"BK7", "SF2"};

// The window's font: the face that stands in for the designed Japanese system face, and its
// character height in pixels.
inline constexpr std::string_view kWindowFontFamily = "IPAPGothic";
inline constexpr int kWindowFontPixels = 12;
// Horizontal stretch of the text boxes' font, in per cent, so that the widest texts
// ("10000", "30000", "-10.0") fit the boxes' designed widths.
inline constexpr int kTextBoxFontStretch = 80;

inline constexpr std::string_view kWindowCaption = "Orvelan";

}  // namespace orvelan
