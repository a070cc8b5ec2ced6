// Text set from a font's own glyphs: the same glyphs, places and size as shaped text, and the
// fonts and texts that must be left to shaping.
#include <gtest/gtest.h>

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>
#include <QTextLine>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/PlainText.h"

namespace orvelan {
namespace {

QFont Font(const char* family) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(12);
  return font;
}

struct TShaped {
  QList<quint32> glyphs;
  QList<QPointF> positions;
  QSize size;
};

// The line as QTextLayout shapes and measures it.
TShaped Shape(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
  option.setWrapMode(QTextOption::ManualWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(100000);
  line.setPosition(QPointF(0, 0));
  layout.endLayout();
  TShaped shaped;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    shaped.glyphs += run.glyphIndexes();
    shaped.positions += run.positions();
  }
  shaped.size = QSize(static_cast<int>(std::ceil(line.naturalTextWidth())),
                      static_cast<int>(std::ceil(line.height())));
  return shaped;
}

TEST(PlainTextFont, SetsReadOutsExactlyAsShapingDoes) {
  const QFont font = Font("IPAPGothic");
  const TPlainTextFont plain(font);
  ASSERT_TRUE(plain.IsUsable()) << "the window's face positions and substitutes nothing here";
  QString everyPlainCharacter;
  for (char16_t c = 0x20; c <= 0x3ff; ++c)
    if (c <= 0x7e || (c >= 0xa0 && c <= 0xff && c != 0xad) || c >= 0x370) everyPlainCharacter += QChar(c);
  const QString texts[] = {
      QStringLiteral("G - R = 0.34''"), QString::fromUtf8("B - G = -18.371 μm"),
      QString::fromUtf8("Altitude = 44.98°"), QStringLiteral("Difference = 0.96'"),
      QStringLiteral(" leading space"), QStringLiteral("AV To fi ffl"), QStringLiteral("x"),
      QString::fromUtf8("æ ß é Ωμ"), everyPlainCharacter.left(95)};
  for (const QString& text : texts) {
    QGlyphRun run;
    QSize size;
    ASSERT_TRUE(plain.SetLine(text, run, size)) << text.toStdString();
    const TShaped shaped = Shape(text, font);
    EXPECT_EQ(run.glyphIndexes(), shaped.glyphs) << text.toStdString();
    EXPECT_EQ(run.positions(), shaped.positions) << text.toStdString();
    EXPECT_EQ(size, shaped.size) << text.toStdString();
  }
}

TEST(PlainTextFont, LeavesTextThatNeedsShapingAlone) {
  const TPlainTextFont plain(Font("IPAPGothic"));
  ASSERT_TRUE(plain.IsUsable());
  for (const char* text : {"", "trailing space ", "tab\tstop", "惑星視直径", "e\xcc\x81 (combining)",
                           "soft\xc2\xadhyphen", "\xc9\x90 (IPA)", "arrow \xe2\x86\x92"}) {
    QGlyphRun run;
    QSize size(-7, -7);
    EXPECT_FALSE(plain.SetLine(QString::fromUtf8(text), run, size)) << text;
    EXPECT_EQ(size, QSize(-7, -7)) << text;
  }
}

TEST(PlainTextFont, AFaceWithKerningOrSpacingIsLeftToShaping) {
  EXPECT_FALSE(TPlainTextFont(Font("DejaVu Sans")).IsUsable());  // kerning pairs: "AV", "To"
  QFont spaced = Font("IPAPGothic");
  spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  EXPECT_FALSE(TPlainTextFont(spaced).IsUsable());
  QFont underlined = Font("IPAPGothic");
  underlined.setUnderline(true);
  EXPECT_FALSE(TPlainTextFont(underlined).IsUsable());
}

// ---- the substitution table ------------------------------------------------------------------

// A glyph substitution table with one script whose default language system uses one feature,
// which runs one lookup of one subtable.
class TGsub {
 public:
  TGsub(const char* tag, bool required, uint16_t type, const std::vector<uint16_t>& subtable) {
    // Header: version 1.0, then the offsets of the script, feature and lookup lists.
    Put({1, 0, 10, 30, 44});
    // Script list: one script 'latn' at +8; its default language system at +4 within it.
    Put({1});
    Tag("latn");
    Put({8, 4, 0});
    Put({0, static_cast<uint16_t>(required ? 0 : 0xffff), 1, 0});
    // Feature list: one feature at +8, running lookup 0.
    Put({1});
    Tag(tag);
    Put({8, 0, 1, 0});
    // Lookup list: one lookup at +4, one subtable at +8 within the lookup.
    Put({1, 4, type, 0, 1, 8});
    Put(subtable);
  }
  const QByteArray& Bytes() const { return FBytes; }

 private:
  void Put(std::initializer_list<uint16_t> words) { for (uint16_t w : words) Word(w); }
  void Put(const std::vector<uint16_t>& words) { for (uint16_t w : words) Word(w); }
  void Word(uint16_t w) {
    FBytes.append(static_cast<char>(w >> 8));
    FBytes.append(static_cast<char>(w & 0xff));
  }
  void Tag(const char* tag) { FBytes.append(tag, 4); }
  QByteArray FBytes;
};

// Single substitution (format 1, glyph + 1) of the glyphs in a format 1 coverage at +6.
std::vector<uint16_t> Single(std::vector<uint16_t> covered) {
  std::vector<uint16_t> words{1, 6, 1, 1, static_cast<uint16_t>(covered.size())};
  words.insert(words.end(), covered.begin(), covered.end());
  return words;
}

// One ligature of `first` followed by `second` (format 1; coverage at +8, ligature set at +14).
std::vector<uint16_t> Ligature(uint16_t first, uint16_t second) {
  return {1, 8, 1, 14, /*coverage*/ 1, 1, first, /*set*/ 1, 4, /*ligature*/ 900, 2, second};
}

struct TGsubCase {
  const char* name;
  TGsub table;
  std::vector<uint32_t> glyphs;
  bool covers;
};

TEST(DefaultSubstitution, CoversOnlyWhatShapingWouldApplyToTheGlyphs) {
  const std::vector<uint16_t> extensionOfSingle = [] {
    std::vector<uint16_t> words{1, 1, 0, 8};  // extension format 1 of a single, 8 bytes on
    const std::vector<uint16_t> single = Single({5});
    words.insert(words.end(), single.begin(), single.end());
    return words;
  }();
  const TGsubCase cases[] = {
      {"ligature feature on a covered glyph", TGsub("liga", false, 1, Single({5})), {3, 5}, true},
      {"ligature feature elsewhere", TGsub("liga", false, 1, Single({5})), {3, 6}, false},
      {"vertical forms are not applied to a line", TGsub("vert", false, 1, Single({5})), {5}, false},
      {"a required feature is applied whatever its tag", TGsub("vert", true, 1, Single({5})), {5}, true},
      {"a ligature with a component from elsewhere", TGsub("ccmp", false, 4, Ligature(5, 9)), {5}, false},
      {"a ligature of the glyphs alone", TGsub("ccmp", false, 4, Ligature(5, 9)), {5, 9}, true},
      {"an extension wrapping a covering single", TGsub("ccmp", false, 7, extensionOfSingle), {5}, true},
      {"an unknown lookup type counts as covering", TGsub("ccmp", false, 9, Single({5})), {6}, true},
  };
  for (const TGsubCase& c : cases)
    EXPECT_EQ(detail::DefaultSubstitutionCovers(c.table.Bytes(), c.glyphs), c.covers) << c.name;
}

TEST(DefaultSubstitution, ATableItCannotReadCountsAsCovering) {
  const QByteArray whole = TGsub("liga", false, 1, Single({5})).Bytes();
  EXPECT_FALSE(detail::DefaultSubstitutionCovers(whole, {6}));
  // Cut anywhere, the table cannot be followed to the end: it must not pass as harmless.
  for (qsizetype size = 0; size < whole.size(); ++size)
    EXPECT_TRUE(detail::DefaultSubstitutionCovers(whole.left(size), {6})) << size << " bytes";
}

}  // namespace
}  // namespace orvelan
