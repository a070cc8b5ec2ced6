#include "framework/Canvas.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvelan {

namespace {

__extension__ typedef __int128 TWide;  // exact products of two 64-bit spans

// Dash-dot pattern of a one-pixel pen, restarting with each line: 9 on, 6 off, 3 on, 6 off.
constexpr int kDashDotPeriod = 24;
bool DashDotIsOn(int64_t i) {
  const int64_t r = i % kDashDotPeriod;
  return r < 9 || (r >= 15 && r < 18);
}

// ---- Text -------------------------------------------------------------------------------------

// A rendered text: its cell and the pixels of its glyphs relative to the cell's top left corner.
struct TTextRendering {
  TSize Cell;
  std::vector<TPoint> Ink;
};

int PixelSizeOf(int points) {
  if (points < 1 || points > 200) {
    throw std::invalid_argument("TCanvas: font size " + std::to_string(points) +
                                " points is outside 1 ... 200");
  }
  return (4 * points + 1) / 3;  // points x 96 / 72, rounded to the nearest pixel
}

QFont CanvasFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// Renders through Qt's font engine once per text and size; the pictures draw the same few
// captions on every pass.
const TTextRendering& RenderText(std::string_view text, int points) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::logic_error("TCanvas: drawing text needs a QGuiApplication");
  }
  const int pixelSize = PixelSizeOf(points);
  static std::mutex mutex;
  static std::map<std::pair<std::string, int>, std::unique_ptr<TTextRendering>, std::less<>>
      cache;
  std::lock_guard lock(mutex);
  auto key = std::make_pair(std::string(text), pixelSize);
  if (auto it = cache.find(key); it != cache.end()) return *it->second;

  const QFont font = CanvasFont(pixelSize);
  const QFontMetrics metrics(font);
  const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  auto rendering = std::make_unique<TTextRendering>();
  rendering->Cell = {metrics.horizontalAdvance(qtext), metrics.height()};

  // Room around the cell for glyph parts that reach beyond it.
  const int margin = metrics.height();
  QImage ink(rendering->Cell.Width + 2 * margin, rendering->Cell.Height + 2 * margin,
             QImage::Format_ARGB32_Premultiplied);
  ink.fill(Qt::transparent);
  {
    QPainter painter(&ink);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(QPoint(margin, margin + metrics.ascent()), qtext);
  }
  for (int y = 0; y < ink.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
    for (int x = 0; x < ink.width(); ++x) {
      if (qAlpha(line[x]) >= 128) rendering->Ink.push_back({x - margin, y - margin});
    }
  }
  return *cache.emplace(std::move(key), std::move(rendering)).first->second;
}

}  // namespace

TCanvas::TCanvas(int width, int height) : pixels_(width, height) { pixels_.Fill(clWhite); }

void TCanvas::Changed() {
  ++changeCount_;
  if (onChange_) onChange_();
}

void TCanvas::PutPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  uint8_t* p = pixels_.Row(y) + TRgbImage::kBytesPerPixel * x;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  const int64_t x0 = penPos_.X, y0 = penPos_.Y;
  penPos_ = {x, y};
  const int64_t dx = int64_t{x} - x0, dy = int64_t{y} - y0;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const int64_t n = std::max(adx, ady);
  if (n == 0) return;
  const bool xMajor = adx >= ady;
  const int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
  const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t majorSpan = n, minorSpan = xMajor ? ady : adx;
  const int64_t majorSize = xMajor ? Width() : Height();

  // Only the steps whose major coordinate lies inside the surface can show.
  int64_t first = 0, last = n - 1;
  if (majorStep > 0) {
    first = std::max(first, -major0);
    last = std::min(last, majorSize - 1 - major0);
  } else {
    first = std::max(first, major0 - (majorSize - 1));
    last = std::min(last, major0);
  }
  const bool dashed = Pen.Style == TPenStyle::DashDot;
  const bool narrow = majorSpan < (int64_t{1} << 30);  // 2 i minorSpan fits 64 bits
  for (int64_t i = first; i <= last; ++i) {
    // round-half-up of i x minorSpan / majorSpan, exactly
    const int64_t offset =
        narrow ? (2 * i * minorSpan + majorSpan) / (2 * majorSpan)
               : static_cast<int64_t>((TWide{2} * i * minorSpan + majorSpan) /
                                      (TWide{2} * majorSpan));
    const int64_t major = major0 + majorStep * i;
    const int64_t minor = minor0 + minorStep * offset;
    const int64_t px = xMajor ? major : minor, py = xMajor ? minor : major;
    if (px < 0 || py < 0 || px >= Width() || py >= Height()) continue;
    PutPixel(static_cast<int>(px), static_cast<int>(py),
             !dashed || DashDotIsOn(i) ? Pen.Color : Brush.Color);
  }
  Changed();
}

void TCanvas::FillRect(int left, int top, int right, int bottom) {
  FillPixels(left, top, right, bottom);
  Changed();
}

void TCanvas::FillPixels(int left, int top, int right, int bottom) {
  // Half-open spans; a span turned over covers (end, start] instead of [start, end).
  int64_t x0 = left, x1 = right, y0 = top, y1 = bottom;
  if (x1 < x0) {
    std::swap(x0, x1);
    ++x0;
    ++x1;
  }
  if (y1 < y0) {
    std::swap(y0, y1);
    ++y0;
    ++y1;
  }
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, Width());
  y1 = std::min<int64_t>(y1, Height());
  if (x0 < x1 && y0 < y1) {
    const uint8_t b = BlueOf(Brush.Color), g = GreenOf(Brush.Color), r = RedOf(Brush.Color);
    uint8_t* firstRow = pixels_.Row(static_cast<int>(y0));
    for (int64_t xi = x0; xi < x1; ++xi) {
      firstRow[TRgbImage::kBytesPerPixel * xi] = b;
      firstRow[TRgbImage::kBytesPerPixel * xi + 1] = g;
      firstRow[TRgbImage::kBytesPerPixel * xi + 2] = r;
    }
    const auto bytes = static_cast<std::size_t>(TRgbImage::kBytesPerPixel * (x1 - x0));
    for (int64_t yi = y0 + 1; yi < y1; ++yi) {
      std::memcpy(pixels_.Row(static_cast<int>(yi)) + TRgbImage::kBytesPerPixel * x0, firstRow + TRgbImage::kBytesPerPixel * x0, bytes);
    }
  }
}

TSize TCanvas::TextExtent(std::string_view text) const {
  return RenderText(text, Font.Size).Cell;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  const TTextRendering& rendering = RenderText(text, Font.Size);
  const int64_t right = int64_t{x} + rendering.Cell.Width;
  const int64_t bottom = int64_t{y} + rendering.Cell.Height;
  FillPixels(x, y, static_cast<int>(std::min<int64_t>(right, INT32_MAX)),
           static_cast<int>(std::min<int64_t>(bottom, INT32_MAX)));
  for (const TPoint& p : rendering.Ink) {
    const int64_t px = int64_t{x} + p.X, py = int64_t{y} + p.Y;
    if (px < 0 || py < 0 || px >= Width() || py >= Height()) continue;
    PutPixel(static_cast<int>(px), static_cast<int>(py), Font.Color);
  }
  Changed();
}

void TCanvas::Draw(int x, int y, const TRgbImage& image) {
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(int64_t{x} + image.Width(), Width());
  const int64_t y1 = std::min<int64_t>(int64_t{y} + image.Height(), Height());
  if (x0 < x1 && y0 < y1) {
    const auto bytes = static_cast<std::size_t>(TRgbImage::kBytesPerPixel * (x1 - x0));
    for (int64_t yi = y0; yi < y1; ++yi) {
      std::memcpy(pixels_.Row(static_cast<int>(yi)) + TRgbImage::kBytesPerPixel * x0,
                  image.Row(static_cast<int>(yi - y)) + TRgbImage::kBytesPerPixel * (x0 - x), bytes);
    }
  }
  Changed();
}

}  // namespace orvelan
