// Setting a line of simple text straight from a font's glyphs, where shaping would give the
// same glyphs at the same places.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace orvelan {

// Shaping a line of text (what QTextLayout does before it can measure or draw it) costs far
// more than the few table look-ups it comes to for Latin and Greek letters in a font that
// neither positions glyphs nor substitutes them by default. For such a font, this sets the
// line from the font's own glyphs at their own advances, the same glyphs and positions that
// shaping would give.
//
// A font qualifies when it has no glyph positioning (GPOS, kern and the AAT tables) and when
// none of the substitutions that shaping applies by default can start at one of its glyphs
// for the plain characters. The plain characters are those from U+0020 to U+007E, U+00A0 to
// U+00FF without the soft hyphen, and U+0370 to U+03FF.
class TPlainTextFont {
 public:
  TPlainTextFont() = default;
  explicit TPlainTextFont(const QFont& font);

  // Whether the font qualifies.
  bool IsUsable() const { return FRaw.isValid(); }

  // Sets `text` as one run: its pen starts at x = 0 on the baseline y = ascent, and `size` is
  // the run's width (advances summed) and the line's height (ascent plus descent), each
  // rounded up to whole pixels. Returns false, leaving both alone, for text that needs
  // shaping: empty text, a character that is not plain, a character the font has no glyph
  // for (shaping would take it from another font), or white space at the end (a laid-out line
  // leaves it out of its width).
  bool SetLine(const QString& text, QGlyphRun& run, QSize& size) const;

 private:
  QRawFont FRaw;  // invalid unless the font qualifies
};

namespace detail {

// Whether a glyph substitution table (the bytes of an OpenType GSUB table) has a lookup that
// shaping applies to a horizontal line by default and whose first glyph can be one of
// `sortedGlyphs` (ascending). A table it cannot read counts as covering them.
bool DefaultSubstitutionCovers(const QByteArray& gsub, const std::vector<uint32_t>& sortedGlyphs);

}  // namespace detail

}  // namespace orvelan
