// The label: one line of plain text, left-aligned and vertically centred, with automatic width.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QTextLayout>

#include "framework/PlainText.h"

namespace orvelan {

// A QLabel for plain one-line captions that lays its text out once per change and uses that
// one layout both for its size and for every paint (a plain QLabel shapes the text again for
// its size hint and for each paint). It looks exactly like a QLabel with the same text, font
// and palette.
//
// Where nothing but the window colour lies behind it (inside a TGroupBox, off its frame and
// title, see BehindIsWindowColour), it fills its own background with that colour, so that a
// change of its text repaints the label alone rather than the containers behind it as well.
// Anywhere else (say, reaching over a group box's frame) it stays transparent, as a QLabel.
//
// Anything but plain one-line text in the default alignment, without frame, margin, indent,
// buddy or word wrap, or a disabled label, is left to QLabel as it is.
class TLabel : public QLabel {
 public:
  explicit TLabel(const QString& text, QWidget* parent = nullptr);

  // Sets the caption and sizes the label to it (automatic width), as setText() followed by
  // adjustSize() would.
  void SetCaption(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool IsPlain() const;
  // Lays out text() in font() unless that layout is already at hand: from the font's own
  // glyphs when that is exactly what shaping would give (see TPlainTextFont), shaped
  // otherwise.
  void EnsureLayout() const;
  // sizeHint() of a plain label.
  QSize PlainSizeHint() const;
  // Whether nothing but the window colour lies behind the label.
  bool BehindIsWindowColour() const;
  // Fills its background while that is exactly what lies behind it; `plain` is IsPlain().
  void UpdateBackground(bool plain);
  void UpdateBackground();

  mutable QTextLayout FLayout;  // the shaped text, unless FPlain
  mutable QGlyphRun FGlyphs;    // the text set from the font's glyphs, when FPlain
  mutable bool FPlain = false;
  mutable TPlainTextFont FPlainFont;  // for FLaidOutFont
  mutable QString FLaidOutText;
  mutable QFont FLaidOutFont;
  mutable bool FLaidOut = false;
  mutable QSize FTextSize;  // the text's bounding size in whole pixels
};

}  // namespace orvelan
