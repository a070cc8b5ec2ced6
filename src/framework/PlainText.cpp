#include "framework/PlainText.h"

#include <QList>
#include <QPointF>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace orvelan {

namespace {

bool IsPlainCharacter(char16_t c) {
  return (c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff && c != 0xad) ||
         (c >= 0x370 && c <= 0x3ff);
}

// Big-endian reads from a font table; nullopt past its end.
class TTableReader {
 public:
  explicit TTableReader(const QByteArray& bytes) : FBytes(bytes) {}

  std::optional<uint32_t> U16(qsizetype at) const { return Read(at, 2); }
  std::optional<uint32_t> U32(qsizetype at) const { return Read(at, 4); }
  bool TagIs(qsizetype at, const char* tag) const {
    return at >= 0 && at + 4 <= FBytes.size() && std::memcmp(FBytes.constData() + at, tag, 4) == 0;
  }

 private:
  std::optional<uint32_t> Read(qsizetype at, int bytes) const {
    if (at < 0 || at + bytes > FBytes.size()) return std::nullopt;
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<uint8_t>(FBytes[at + i]);
    return value;
  }

  const QByteArray& FBytes;
};

// Substitution features that shaping applies to a horizontal line only when asked to, or
// only to scripts and positions that plain text does not have. Every other feature counts as
// applied by default.
bool IsOptInFeature(const TTableReader& table, qsizetype tagAt) {
  static const char* const kOptIn[] = {
      "aalt", "afrc", "c2pc", "c2sc", "case", "cpsp", "cswh", "dlig", "dnom", "expt", "falt",
      "frac", "fwid", "halt", "hist", "hkna", "hlig", "hngl", "hojo", "hwid", "init", "isol",
      "ital", "jalt", "jp04", "jp78", "jp83", "jp90", "lnum", "medi", "nalt", "nlck", "numr",
      "onum", "ordn", "ornm", "palt", "pcap", "pkna", "pnum", "pwid", "qwid", "ruby", "salt",
      "sinf", "smcp", "smpl", "ss01", "ss02", "ss03", "ss04", "ss05", "ss06", "ss07", "ss08",
      "ss09", "ss10", "ss11", "ss12", "ss13", "ss14", "ss15", "ss16", "ss17", "ss18", "ss19",
      "ss20", "subs", "sups", "swsh", "titl", "tnam", "tnum", "trad", "twid", "unic", "valt",
      "vert", "vhal", "vjmo", "vkna", "vkrn", "vpal", "vrt2", "vrtr", "zero"};
  return std::any_of(std::begin(kOptIn), std::end(kOptIn),
                     [&](const char* tag) { return table.TagIs(tagAt, tag); });
}

// The glyphs among `glyphs` that a coverage table lists, each with its coverage index;
// nullopt for a table it cannot read.
using TCovered = std::vector<std::pair<uint32_t, uint32_t>>;  // glyph, coverage index
std::optional<TCovered> Covered(const TTableReader& t, qsizetype at,
                                const std::vector<uint32_t>& glyphs) {
  const auto format = t.U16(at);
  const auto count = t.U16(at + 2);
  if (!format || !count || (*format != 1 && *format != 2)) return std::nullopt;
  TCovered covered;
  for (uint32_t i = 0; i < *count; ++i) {
    if (*format == 1) {
      const auto glyph = t.U16(at + 4 + 2 * static_cast<qsizetype>(i));
      if (!glyph) return std::nullopt;
      if (std::binary_search(glyphs.begin(), glyphs.end(), *glyph)) covered.emplace_back(*glyph, i);
    } else {
      const qsizetype range = at + 4 + 6 * static_cast<qsizetype>(i);
      const auto first = t.U16(range);
      const auto last = t.U16(range + 2);
      const auto firstIndex = t.U16(range + 4);
      if (!first || !last || !firstIndex) return std::nullopt;
      for (auto g = std::lower_bound(glyphs.begin(), glyphs.end(), *first);
           g != glyphs.end() && *g <= *last; ++g) {
        covered.emplace_back(*g, *firstIndex + (*g - *first));
      }
    }
  }
  return covered;
}

// Whether a ligature subtable has a ligature made of the glyphs alone: one whose first
// glyph is covered and whose other components are all among them. A ligature with a
// component from elsewhere never forms in text of these glyphs.
bool LigatureOfGlyphs(const TTableReader& t, qsizetype at, const TCovered& covered,
                      const std::vector<uint32_t>& glyphs) {
  const auto setCount = t.U16(at + 4);
  if (!setCount) return true;
  for (const auto& [glyph, index] : covered) {
    if (index >= *setCount) return true;
    const auto setOffset = t.U16(at + 6 + 2 * static_cast<qsizetype>(index));
    if (!setOffset) return true;
    const qsizetype set = at + static_cast<qsizetype>(*setOffset);
    const auto ligatureCount = t.U16(set);
    if (!ligatureCount) return true;
    for (uint32_t l = 0; l < *ligatureCount; ++l) {
      const auto ligatureOffset = t.U16(set + 2 + 2 * static_cast<qsizetype>(l));
      if (!ligatureOffset) return true;
      const qsizetype ligature = set + static_cast<qsizetype>(*ligatureOffset);
      const auto componentCount = t.U16(ligature + 2);
      if (!componentCount) return true;
      bool allAmongGlyphs = true;
      for (uint32_t c = 1; c < *componentCount && allAmongGlyphs; ++c) {
        const auto component = t.U16(ligature + 4 + 2 * static_cast<qsizetype>(c - 1));
        if (!component) return true;
        allAmongGlyphs = std::binary_search(glyphs.begin(), glyphs.end(), *component);
      }
      if (allAmongGlyphs) return true;
    }
  }
  return false;
}

// Whether a lookup subtable can substitute in text of the glyphs alone: its coverage (for a
// context format 3, that of its first input glyph) lists one of them, and for a ligature one
// whose other components are among them too.
bool SubtableCovers(const TTableReader& t, uint32_t type, qsizetype at,
                    const std::vector<uint32_t>& glyphs) {
  const auto format = t.U16(at);
  if (!format) return true;
  const auto offset = [&](qsizetype field) -> std::optional<qsizetype> {
    const auto value = t.U16(field);
    if (!value) return std::nullopt;
    return at + static_cast<qsizetype>(*value);
  };
  std::optional<qsizetype> coverage;
  switch (type) {
    case 1: case 2: case 3: case 4: case 8:  // single, multiple, alternate, ligature, reverse
      coverage = offset(at + 2);
      break;
    case 5:  // context
      if (*format == 3) {
        const auto inputs = t.U16(at + 2);
        if (!inputs || *inputs == 0) return true;
        coverage = offset(at + 6);
      } else {
        coverage = offset(at + 2);
      }
      break;
    case 6:  // chained context
      if (*format == 3) {
        const auto backtrack = t.U16(at + 2);
        if (!backtrack) return true;
        const qsizetype inputCount = at + 4 + 2 * static_cast<qsizetype>(*backtrack);
        const auto inputs = t.U16(inputCount);
        if (!inputs || *inputs == 0) return true;
        coverage = offset(inputCount + 2);
      } else {
        coverage = offset(at + 2);
      }
      break;
    case 7: {  // extension: a subtable of another type, further on
      const auto realType = t.U16(at + 2);
      const auto realOffset = t.U32(at + 4);
      if (*format != 1 || !realType || !realOffset || *realType == 7) return true;
      return SubtableCovers(t, *realType, at + static_cast<qsizetype>(*realOffset), glyphs);
    }
    default:
      return true;
  }
  if (!coverage) return true;
  const std::optional<TCovered> covered = Covered(t, *coverage, glyphs);
  if (!covered) return true;
  if (covered->empty()) return false;
  return type == 4 && *format == 1 ? LigatureOfGlyphs(t, at, *covered, glyphs) : true;
}

// The glyphs of every plain character that the font has, ascending.
std::vector<uint32_t> PlainGlyphs(const QRawFont& font) {
  QString all;
  for (char16_t c = 0x20; c <= 0x3ff; ++c)
    if (IsPlainCharacter(c)) all.append(QChar(c));
  std::vector<uint32_t> glyphs;
  for (quint32 glyph : font.glyphIndexesForString(all))
    if (glyph != 0) glyphs.push_back(glyph);
  std::sort(glyphs.begin(), glyphs.end());
  glyphs.erase(std::unique(glyphs.begin(), glyphs.end()), glyphs.end());
  return glyphs;
}

// Font settings that QTextLayout applies on top of the glyphs.
bool HasPlainSettings(const QFont& font) {
  return font.letterSpacing() == 0 && font.wordSpacing() == 0 &&
         font.capitalization() == QFont::MixedCase && !font.underline() && !font.overline() &&
         !font.strikeOut() && (font.stretch() == QFont::AnyStretch || font.stretch() == 100);
}

// Whether the face's tables leave plain text alone (see TPlainTextFont).
bool TablesLeavePlainTextAlone(const QRawFont& raw) {
  for (const char* positioning : {"GPOS", "kern", "kerx", "morx", "mort", "trak"})
    if (!raw.fontTable(positioning).isEmpty()) return false;
  const QByteArray gsub = raw.fontTable("GSUB");
  return gsub.isEmpty() || !detail::DefaultSubstitutionCovers(gsub, PlainGlyphs(raw));
}

}  // namespace

namespace detail {

bool DefaultSubstitutionCovers(const QByteArray& gsub, const std::vector<uint32_t>& sortedGlyphs) {
  const TTableReader t(gsub);
  const auto major = t.U16(0);
  const auto minor = t.U16(2);
  const auto scriptList = t.U16(4);
  const auto featureList = t.U16(6);
  const auto lookupList = t.U16(8);
  if (!major || !minor || !scriptList || !featureList || !lookupList || *major != 1) return true;
  // Feature variations swap lookups by conditions this check does not follow.
  if (*minor >= 1) {
    const auto variations = t.U32(10);
    if (!variations || *variations != 0) return true;
  }

  const auto featureCount = t.U16(*featureList);
  if (!featureCount) return true;
  std::vector<bool> applied(*featureCount);
  for (uint32_t i = 0; i < *featureCount; ++i)
    applied[i] = !IsOptInFeature(t, *featureList + 2 + 6 * static_cast<qsizetype>(i));

  // A language system's required feature is applied whatever its tag.
  const auto scriptCount = t.U16(*scriptList);
  if (!scriptCount) return true;
  const auto markRequired = [&](qsizetype langSys) {
    const auto required = t.U16(langSys + 2);
    if (!required) return false;
    if (*required == 0xffff) return true;
    if (*required >= *featureCount) return false;
    applied[*required] = true;
    return true;
  };
  for (uint32_t s = 0; s < *scriptCount; ++s) {
    const auto scriptOffset = t.U16(*scriptList + 2 + 6 * static_cast<qsizetype>(s) + 4);
    if (!scriptOffset) return true;
    const qsizetype script = *scriptList + static_cast<qsizetype>(*scriptOffset);
    const auto defaultLangSys = t.U16(script);
    const auto langSysCount = t.U16(script + 2);
    if (!defaultLangSys || !langSysCount) return true;
    if (*defaultLangSys != 0 && !markRequired(script + static_cast<qsizetype>(*defaultLangSys)))
      return true;
    for (uint32_t l = 0; l < *langSysCount; ++l) {
      const auto langSysOffset = t.U16(script + 4 + 6 * static_cast<qsizetype>(l) + 4);
      if (!langSysOffset || !markRequired(script + static_cast<qsizetype>(*langSysOffset)))
        return true;
    }
  }

  const auto lookupCount = t.U16(*lookupList);
  if (!lookupCount) return true;
  for (uint32_t i = 0; i < *featureCount; ++i) {
    if (!applied[i]) continue;
    const auto featureOffset = t.U16(*featureList + 2 + 6 * static_cast<qsizetype>(i) + 4);
    if (!featureOffset) return true;
    const qsizetype feature = *featureList + static_cast<qsizetype>(*featureOffset);
    const auto indexCount = t.U16(feature + 2);
    if (!indexCount) return true;
    for (uint32_t k = 0; k < *indexCount; ++k) {
      const auto index = t.U16(feature + 4 + 2 * static_cast<qsizetype>(k));
      if (!index || *index >= *lookupCount) return true;
      const auto lookupOffset = t.U16(*lookupList + 2 + 2 * static_cast<qsizetype>(*index));
      if (!lookupOffset) return true;
      const qsizetype lookup = *lookupList + static_cast<qsizetype>(*lookupOffset);
      const auto type = t.U16(lookup);
      const auto subtableCount = t.U16(lookup + 4);
      if (!type || !subtableCount) return true;
      for (uint32_t n = 0; n < *subtableCount; ++n) {
        const auto subtableOffset = t.U16(lookup + 6 + 2 * static_cast<qsizetype>(n));
        if (!subtableOffset) return true;
        if (SubtableCovers(t, *type, lookup + static_cast<qsizetype>(*subtableOffset),
                           sortedGlyphs)) {
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace detail

TPlainTextFont::TPlainTextFont(const QFont& font) {
  if (!HasPlainSettings(font)) return;
  QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return;
  // The tables are the face's, whatever its size: read once per face, for every label.
  static std::vector<std::pair<QString, bool>> verdicts;
  const QString face = raw.familyName() + QLatin1Char('\n') + raw.styleName() +
                       QLatin1Char('\n') + QString::number(raw.weight()) +
                       QLatin1Char('\n') + QString::number(static_cast<int>(raw.style()));
  auto verdict = std::find_if(verdicts.begin(), verdicts.end(),
                              [&](const auto& known) { return known.first == face; });
  if (verdict == verdicts.end()) {
    verdicts.emplace_back(face, TablesLeavePlainTextAlone(raw));
    verdict = verdicts.end() - 1;
  }
  if (verdict->second) FRaw = raw;
}

bool TPlainTextFont::SetLine(const QString& text, QGlyphRun& run, QSize& size) const {
  if (!FRaw.isValid() || text.isEmpty() || text.back().isSpace()) return false;
  for (QChar c : text)
    if (!IsPlainCharacter(c.unicode())) return false;
  const QList<quint32> glyphs = FRaw.glyphIndexesForString(text);
  if (glyphs.size() != text.size() || glyphs.contains(0)) return false;
  const QList<QPointF> advances = FRaw.advancesForGlyphIndexes(glyphs);
  const qreal ascent = FRaw.ascent();
  QList<QPointF> positions;
  positions.reserve(advances.size());
  qreal x = 0;
  for (const QPointF& advance : advances) {
    positions.append(QPointF(x, ascent));
    x += advance.x();
  }
  run = QGlyphRun();
  run.setRawFont(FRaw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  size = QSize(static_cast<int>(std::ceil(x)), static_cast<int>(std::ceil(ascent + FRaw.descent())));
  return true;
}

}  // namespace orvelan
