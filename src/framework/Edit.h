// The text box of the window.
#pragma once

#include <QLineEdit>
#include <QString>

namespace orvelan {

// A QLineEdit that paints the window colour behind its frame itself, so that it counts as
// opaque: a change of its text then repaints the box alone, not the containers behind it
// and every control that those repaints reach. The window colour is what lies behind a text
// box in a plain container, so it looks exactly as a QLineEdit there. Its panel is drawn
// once per look (size, state, palette) and copied on later paints.
class TEdit : public QLineEdit {
 public:
  explicit TEdit(const QString& text, QWidget* parent = nullptr);
};

}  // namespace orvelan
