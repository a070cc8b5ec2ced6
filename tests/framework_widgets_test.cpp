// The widget part of the framework: spin button, picture box, handler guard.
#include <gtest/gtest.h>

#include <ostream>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/HandlerGuard.h"
#include "framework/Image.h"
#include "framework/UpDown.h"
#include "model/ComputationError.h"

namespace orvelan {
namespace {

constexpr TUDBtnType Up = TUDBtnType::btNext;
constexpr TUDBtnType Down = TUDBtnType::btPrev;

// A spin button with a callback that records the position after each reported step.
struct TSpinFixture {
  TUpDown spin;
  std::vector<int> reported;
  std::vector<TUDBtnType> buttons;

  TSpinFixture(int16_t min, int16_t max, int16_t step, int16_t start) {
    spin.SetRange(min, max, step);
    spin.SetPosition(start);
    spin.SetOnClick([this](TUDBtnType b) {
      reported.push_back(spin.Position());
      buttons.push_back(b);
    });
  }
  void Click(TUDBtnType b) {
    QTest::mouseClick(b == Up ? spin.UpButton() : spin.DownButton(), Qt::LeftButton);
  }
};

// ---- TUpDown: clicks ----------------------------------------------------------------------

struct TClickCase {
  const char* name;
  int16_t min, max, step, start;
  std::vector<TUDBtnType> clicks;
  std::vector<int> reported;  // position after each click that ran the callback
  int final;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TClickCase& c, std::ostream* os) { *os << c.name; }


class UpDownClicks : public testing::TestWithParam<TClickCase> {};

TEST_P(UpDownClicks, StepsOncePerChangeAndStopsAtTheEnds) {
  const TClickCase& c = GetParam();
  TSpinFixture f(c.min, c.max, c.step, c.start);
  for (TUDBtnType b : c.clicks) f.Click(b);
  EXPECT_EQ(f.reported, c.reported);
  EXPECT_EQ(f.spin.Position(), c.final);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpDownClicks,
    testing::Values(
        TClickCase{"UpAndDown", 5, 90, 1, 45, {Up, Up, Down}, {46, 47, 46}, 46},
        TClickCase{"StopsAtMaximum", 0, 10000, 100, 9900, {Up, Up, Up}, {10000}, 10000},
        TClickCase{"StopsAtMinimum", -100, 100, 1, -99, {Down, Down, Down, Up}, {-100, -99}, -99},
        TClickCase{"NoWrapFromMaximum", -10, 10, 1, 10, {Up, Down}, {9}, 9},
        // A step that would overflow 16 bits stops at the end instead of wrapping round.
        TClickCase{"ClampsNearInt16Limits", -32768, 32767, 100, 32700, {Up, Up}, {32767}, 32767},
        TClickCase{"ClampsNearInt16Minimum", -32768, 32767, 100, -32700, {Down, Down}, {-32768},
                   -32768},
        TClickCase{"EmptyRangeNeverSteps", 7, 7, 1, 7, {Up, Down}, {}, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpDown, ReportsWhichArrowStepped) {
  TSpinFixture f(0, 10, 1, 5);
  f.Click(Up);
  f.Click(Down);
  f.Click(Down);
  EXPECT_EQ(f.buttons, (std::vector<TUDBtnType>{Up, Down, Down}));
}

TEST(UpDown, PositionSetByProgramIsClampedAndRunsNoCallback) {
  TSpinFixture f(-10, 10, 1, 0);
  f.spin.SetPosition(25);
  EXPECT_EQ(f.spin.Position(), 10);
  f.spin.SetPosition(-25);
  EXPECT_EQ(f.spin.Position(), -10);
  f.spin.SetRange(0, 5, 1);  // a narrower range clamps the position too
  EXPECT_EQ(f.spin.Position(), 0);
  EXPECT_TRUE(f.reported.empty());
}

TEST(UpDown, RejectsAnInvalidRange) {
  TUpDown spin;
  EXPECT_THROW(spin.SetRange(10, 9, 1), std::invalid_argument);
  EXPECT_THROW(spin.SetRange(0, 9, 0), std::invalid_argument);
  EXPECT_THROW(spin.SetRange(0, 9, -1), std::invalid_argument);
}

TEST(UpDown, ArrowKeysStepLikeTheArrows) {
  TSpinFixture f(0, 2, 1, 1);
  QTest::keyClick(&f.spin, Qt::Key_Up);
  QTest::keyClick(&f.spin, Qt::Key_Up);  // at the end: nothing
  QTest::keyClick(&f.spin, Qt::Key_Down);
  QTest::keyClick(&f.spin, Qt::Key_Left);  // not a spin key
  EXPECT_EQ(f.reported, (std::vector<int>{2, 1}));
}

TEST(UpDown, IsNineByTwentyWithTheUpArrowOnTop) {
  TUpDown spin;
  EXPECT_EQ(spin.size(), QSize(9, 20));
  EXPECT_EQ(spin.UpButton()->geometry(), QRect(0, 0, 9, 10));
  EXPECT_EQ(spin.DownButton()->geometry(), QRect(0, 10, 9, 10));
}

// ---- TUpDown: mouse wheel ------------------------------------------------------------------

// A wheel turn as the mouse sends it: to the widget under the pointer, here an arrow, since
// the two arrows cover the whole spin button.
void Turn(QWidget* target, QPoint angle) {
  const QPointF local(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent event(local, target->mapToGlobal(local), QPoint(), angle, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}
void Wheel(QWidget* target, int delta) { Turn(target, QPoint(0, delta)); }

struct TWheelCase {
  const char* name;
  int16_t min, max, step, start;
  std::vector<std::pair<int, int>> turns;  // angle delta, position right after it
  std::vector<int> reported;               // position at each callback, in order
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TWheelCase& c, std::ostream* os) { *os << c.name; }


class UpDownWheel : public testing::TestWithParam<TWheelCase> {};

TEST_P(UpDownWheel, StepsOncePerNotchLikeTheArrows) {
  const TWheelCase& c = GetParam();
  TSpinFixture f(c.min, c.max, c.step, c.start);
  for (std::size_t i = 0; i < c.turns.size(); ++i) {
    Wheel(i % 2 == 0 ? f.spin.UpButton() : f.spin.DownButton(), c.turns[i].first);
    EXPECT_EQ(f.spin.Position(), c.turns[i].second) << "after turn " << i;
  }
  EXPECT_EQ(f.reported, c.reported);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpDownWheel,
    testing::Values(
        TWheelCase{"NotchUp", 5, 90, 1, 45, {{120, 46}}, {46}},
        TWheelCase{"NotchDown", 5, 90, 1, 45, {{-120, 44}}, {44}},
        TWheelCase{"StepOfTheSpin", 300, 900, 10, 660, {{120, 670}, {-120, 660}}, {670, 660}},
        // A high-resolution wheel: parts add up; exactly 120 in all make one step.
        TWheelCase{"PartsAddUpToOneNotch", 5, 90, 1, 45,
                   {{40, 45}, {40, 45}, {39, 45}, {1, 46}, {60, 46}, {60, 47}}, {46, 47}},
        TWheelCase{"PartsDownward", 5, 90, 1, 45, {{-15, 45}, {-100, 45}, {-5, 44}}, {44}},
        // A part left over from one event counts towards the next.
        TWheelCase{"RemainderCarriesOver", 5, 90, 1, 45, {{180, 46}, {60, 47}}, {46, 47}},
        TWheelCase{"SeveralNotchesInOneEvent", 5, 90, 1, 45, {{360, 48}, {-240, 46}},
                   {46, 47, 48, 47, 46}},
        // Turning back drops the part notch built up the other way: one full notch back is
        // one step back.
        TWheelCase{"TurnBackDropsThePart", 5, 90, 1, 45, {{60, 45}, {-120, 44}, {60, 44}}, {44}},
        TWheelCase{"StopsAtMaximum", 0, 10000, 100, 9900, {{360, 10000}, {120, 10000}}, {10000}},
        TWheelCase{"NoWrapFromMinimum", -10, 10, 1, -10, {{-120, -10}, {-600, -10}, {120, -9}},
                   {-9}},
        TWheelCase{"HugeTurnStopsAtTheEnd", -32768, 32767, 100, 32700,
                   {{std::numeric_limits<int>::max(), 32767}}, {32767}},
        TWheelCase{"HugeTurnDown", 0, 100, 1, 3, {{std::numeric_limits<int>::min(), 0}},
                   {2, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpDown, WheelReportsItsDirectionAndIgnoresSidewaysTurns) {
  TSpinFixture f(0, 10, 1, 5);
  Wheel(f.spin.DownButton(), 120);  // over the lower arrow, still a step up
  Wheel(f.spin.UpButton(), -120);
  EXPECT_EQ(f.buttons, (std::vector<TUDBtnType>{Up, Down}));

  // A sideways turn is not the spin's: it passes on to the parent, nothing steps.
  const QPointF local(4.5, 5);
  QWheelEvent sideways(local, f.spin.mapToGlobal(local), QPoint(), QPoint(120, 0),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&f.spin, &sideways);
  EXPECT_FALSE(sideways.isAccepted());
  EXPECT_EQ(f.reported, (std::vector<int>{6, 5}));
}

// ---- TUpDown: what assistive technology sees ----------------------------------------------

TEST(UpDown, IsASpinBoxWithItsPositionAsValue) {
  TSpinFixture f(-100, 100, 5, 10);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&f.spin);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::SpinBox);
  EXPECT_EQ(a->text(QAccessible::Value), "10");
  QAccessibleValueInterface* value = a->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->currentValue().toInt(), 10);
  EXPECT_EQ(value->minimumValue().toInt(), -100);
  EXPECT_EQ(value->maximumValue().toInt(), 100);
  EXPECT_EQ(value->minimumStepSize().toInt(), 5);
  f.Click(Up);
  EXPECT_EQ(a->text(QAccessible::Value), "15");

  // Both arrows carry a name of their own.
  for (TArrowButton* arrow : {f.spin.UpButton(), f.spin.DownButton()})
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(arrow)->text(QAccessible::Name).isEmpty());
}

TEST(UpDown, AccessibleActionsAndValueStepWithTheCallback) {
  TSpinFixture f(0, 20, 5, 10);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&f.spin);
  ASSERT_NE(a->actionInterface(), nullptr);
  QAccessibleActionInterface* actions = a->actionInterface();
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
  actions->doAction(QAccessibleActionInterface::increaseAction());
  actions->doAction(QAccessibleActionInterface::decreaseAction());
  actions->doAction(QAccessibleActionInterface::decreaseAction());
  EXPECT_EQ(f.reported, (std::vector<int>{15, 10, 5}));

  // Setting the value steps towards it, one callback a step, stopping on the grid short of
  // a value between two positions, and at the ends.
  f.reported.clear();
  a->valueInterface()->setCurrentValue(17);
  EXPECT_EQ(f.reported, (std::vector<int>{10, 15}));
  a->valueInterface()->setCurrentValue(-50);
  EXPECT_EQ(f.reported, (std::vector<int>{10, 15, 10, 5, 0}));
  a->valueInterface()->setCurrentValue(0);
  EXPECT_EQ(f.reported.size(), 5u);
}

// ---- TUpDown: held arrows -----------------------------------------------------------------

// Waits, processing events, until `done` holds or the time runs out.
template <class F>
bool WaitFor(F done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

TEST(UpDown, HeldArrowRepeatsWithAFixedStepUntilTheEnd) {
  TSpinFixture f(0, 1000, 10, 500);
  f.spin.SetRepeatTiming(5, 1);
  QTest::mousePress(f.spin.DownButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return f.spin.Position() == 0; }));
  QTest::qWait(30);  // held at the end: further repeats change nothing
  QTest::mouseRelease(f.spin.DownButton(), Qt::LeftButton);

  // Exactly one callback per step, each step exactly 10 (no acceleration).
  ASSERT_EQ(f.reported.size(), 50u);
  for (std::size_t i = 0; i < f.reported.size(); ++i)
    EXPECT_EQ(f.reported[i], 490 - 10 * static_cast<int>(i));
}

TEST(UpDown, ReleaseEndsTheRepeat) {
  TSpinFixture f(0, 1000, 1, 0);
  f.spin.SetRepeatTiming(5, 1);
  QTest::mousePress(f.spin.UpButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return f.spin.Position() >= 5; }));
  QTest::mouseRelease(f.spin.UpButton(), Qt::LeftButton);
  const int released = f.spin.Position();
  QTest::qWait(40);
  EXPECT_EQ(f.spin.Position(), released);
  EXPECT_EQ(f.reported.size(), static_cast<std::size_t>(released));
}

TEST(UpDown, DraggingOffTheHeldArrowPausesItAndComingBackStepsAgain) {
  TSpinFixture f(0, 1000, 1, 0);
  f.spin.SetRepeatTiming(10000, 10000);  // no repeat within the test
  TArrowButton* up = f.spin.UpButton();
  QTest::mousePress(up, Qt::LeftButton);
  EXPECT_TRUE(up->isDown());
  EXPECT_EQ(f.spin.Position(), 1);
  auto move = [&](QPoint to) {
    QMouseEvent event(QEvent::MouseMove, to, up->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(up, &event);
  };
  move(QPoint(up->width() + 5, 2));  // off the arrow, button still down
  EXPECT_FALSE(up->isDown());
  move(QPoint(up->width() + 6, 2));
  EXPECT_EQ(f.spin.Position(), 1);
  move(QPoint(1, 1));  // back on it: pressed again, one more step
  EXPECT_TRUE(up->isDown());
  EXPECT_EQ(f.spin.Position(), 2);
  QTest::mouseRelease(up, Qt::LeftButton);
  EXPECT_FALSE(up->isDown());
  move(QPoint(1, 2));  // a move after the release presses nothing
  EXPECT_EQ(f.spin.Position(), 2);
  EXPECT_EQ(f.reported.size(), 2u);
}

// Records the region of every paint event of a widget.
struct TPaintRecorder : QObject {
  std::vector<QRegion> regions;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(e)->region());
    return false;
  }
};

// A spin button shown in a window of its own, in its first position.
struct TShownSpin {
  QWidget window;
  TUpDown* spin = new TUpDown(&window);
  explicit TShownSpin(QSize size) {
    window.resize(size);
    spin->SetRange(0, 10, 1);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
  }
};

TEST(UpDown, AnArrowRepaintsWithoutItsContainers) {
  TShownSpin f(QSize(40, 40));
  TPaintRecorder behind, arrow;
  f.window.installEventFilter(&behind);
  f.spin->installEventFilter(&behind);
  f.spin->UpButton()->installEventFilter(&arrow);
  QTest::mouseClick(f.spin->UpButton(), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(arrow.regions.size(), 1u) << "pressed and released within one pass of the event loop";
  EXPECT_TRUE(behind.regions.empty()) << "the arrow paints every pixel of itself";
}

TEST(UpDown, AnArrowShowsItsCurrentLookAfterEveryChange) {
  // Each look of an arrow is drawn once and kept: a kept look must never stand in for
  // another state, size or palette.
  TShownSpin f(QSize(60, 60));
  TArrowButton* up = f.spin->UpButton();
  auto look = [&] { return up->grab().toImage().convertToFormat(QImage::Format_RGB32); };
  const QImage raised = look();
  up->setDown(true);
  const QImage sunken = look();
  EXPECT_FALSE(sunken == raised);
  up->setDown(false);
  EXPECT_TRUE(look() == raised);

  QPalette red = up->palette();
  red.setColor(QPalette::ButtonText, Qt::red);
  up->setPalette(red);
  const QImage redRaised = look();
  EXPECT_FALSE(redRaised == raised);
  bool hasRed = false;
  for (int y = 0; y < redRaised.height(); ++y)
    for (int x = 0; x < redRaised.width(); ++x) hasRed = hasRed || redRaised.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(hasRed) << "the triangle in the new text colour";

  f.spin->resize(15, 30);
  EXPECT_EQ(look().size(), QSize(15, 15) * up->devicePixelRatio());
  up->setEnabled(false);
  EXPECT_FALSE(look() == redRaised);
}

TEST(UpDown, ModalBoxOpenedByTheCallbackEndsTheHold) {
  // The box takes the mouse away, so the arrow never sees its release; the spin must not
  // keep stepping (and opening boxes) behind it.
  QWidget window;
  auto* spin = new TUpDown(&window);
  spin->SetRange(0, 1000, 1);
  spin->SetRepeatTiming(5, 1);
  int calls = 0;
  spin->SetOnClick([&](TUDBtnType) {
    if (++calls != 2) return;
    QTimer::singleShot(20, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    QMessageBox box(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("m"),
                    QMessageBox::Ok);
    box.exec();
  });
  window.show();
  QTest::mousePress(spin->UpButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return calls >= 2 && QApplication::activeModalWidget() == nullptr; }));
  QTest::qWait(50);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(spin->UpButton()->isDown());
}

// ---- TImage ---------------------------------------------------------------------------------

TEST(Image, OwnsASurfaceOfExactlyItsSize) {
  TImage image(65, 145);
  EXPECT_EQ(image.size(), QSize(65, 145));
  EXPECT_EQ(image.Canvas().Width(), 65);
  EXPECT_EQ(image.Canvas().Height(), 145);
  EXPECT_THROW(TImage(-1, 5), std::invalid_argument);
}

// An asymmetric picture: a red top-left pixel, a blue block near the bottom right, green in
// one row, so that a channel swap, a flip or an offset shows.
void DrawFixture(TCanvas& c) {
  c.Brush.Color = clBlack;
  c.FillRect(0, 0, c.Width(), c.Height());
  c.Brush.Color = clRed;
  c.FillRect(0, 0, 1, 1);
  c.Brush.Color = clBlue;
  c.FillRect(c.Width() - 3, c.Height() - 2, c.Width(), c.Height());
  c.Brush.Color = clGreen;
  c.FillRect(2, 4, 5, 5);
}

struct TPixelCase {
  int x, y;
  QRgb expected;
};

TEST(Image, ShowsItsSurfaceUnscaledAndUnmoved) {
  if (qApp->devicePixelRatio() != 1.0) GTEST_SKIP() << "runs at a device pixel ratio of 1";
  TImage image(9, 7);
  DrawFixture(image.Canvas());
  const QImage shown = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(9, 7));
  const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0), green = qRgb(0, 128, 0),
             blue = qRgb(0, 0, 255);
  const TPixelCase cases[] = {{0, 0, red},  {1, 0, black}, {0, 1, black}, {8, 0, black},
                              {2, 4, green}, {4, 4, green}, {1, 4, black}, {5, 4, black},
                              {2, 3, black}, {6, 5, blue},  {8, 6, blue},  {5, 5, black},
                              {6, 4, black}, {0, 6, black}};
  for (const TPixelCase& p : cases)
    EXPECT_EQ(shown.pixel(p.x, p.y), p.expected) << "pixel (" << p.x << ", " << p.y << ")";
}

// Run by ctest a second time with QT_SCALE_FACTOR=2.
TEST(Image, ScalesByWholePixelsWithoutSmoothingOnHighDpi) {
  if (qApp->devicePixelRatio() < 2.0) GTEST_SKIP() << "needs a device pixel ratio of 2 or more";
  TImage image(9, 7);
  DrawFixture(image.Canvas());
  const int k = image.PixelScale();
  const QImage shown = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_GE(shown.width(), 9 * k);
  ASSERT_GE(shown.height(), 7 * k);
  for (int y = 0; y < 7 * k; ++y) {
    for (int x = 0; x < 9 * k; ++x) {
      const QColor expected(image.Canvas().Pixel(x / k, y / k) & 0xFF,
                            (image.Canvas().Pixel(x / k, y / k) >> 8) & 0xFF,
                            (image.Canvas().Pixel(x / k, y / k) >> 16) & 0xFF);
      ASSERT_EQ(shown.pixel(x, y), expected.rgb()) << "device pixel (" << x << ", " << y << ")";
    }
  }
}

// What the screen shows of a top-level widget: the window system's copy, not a new paint.
QImage OnScreen(QWidget& widget) {
  return widget.screen()->grabWindow(widget.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage SurfaceAsImage(const TCanvas& canvas) {
  QImage image(canvas.Width(), canvas.Height(), QImage::Format_RGB32);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const TColor c = canvas.Pixel(x, y);
      image.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
  return image;
}

TEST(Image, RepaintsAroundTheTilesThatChangedAndNothingForADrawingThatChangesNothing) {
  if (qApp->devicePixelRatio() != 1.0) GTEST_SKIP() << "runs at a device pixel ratio of 1";
  TImage image(40, 20);
  DrawFixture(image.Canvas());
  TPaintRecorder paints;
  image.installEventFilter(&paints);
  image.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&image));
  QCoreApplication::processEvents();
  EXPECT_TRUE(OnScreen(image) == SurfaceAsImage(image.Canvas()));

  struct TStep {
    const char* what;
    std::function<void(TCanvas&)> draw;
    QRegion repainted;  // empty: no paint at all
  };
  const auto whitePixel = [](TCanvas& c) {
    c.Brush.Color = clWhite;
    c.FillRect(17, 3, 18, 4);
  };
  const auto twoRedPixels = [](TCanvas& c) {
    c.Brush.Color = clRed;
    c.FillRect(1, 17, 2, 18);
    c.FillRect(38, 2, 39, 3);
  };
  const TStep steps[] = {
      {"one changed pixel: its 16 x 16 tile", whitePixel, QRegion(16, 0, 16, 16)},
      {"two changes far apart: one rectangle around both tiles", twoRedPixels,
       QRegion(0, 0, 40, 20)},
      {"the whole picture drawn again as it was",
       [&](TCanvas& c) {
         DrawFixture(c);
         whitePixel(c);
         twoRedPixels(c);
       },
       QRegion()},
  };
  for (const TStep& step : steps) {
    paints.regions.clear();
    step.draw(image.Canvas());
    if (step.repainted.isEmpty()) {
      QTest::qWait(50);
      EXPECT_TRUE(paints.regions.empty()) << step.what;
      continue;
    }
    ASSERT_TRUE(WaitFor([&] { return !paints.regions.empty(); }, 2000)) << step.what;
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.regions.front(), step.repainted) << step.what;
    EXPECT_TRUE(OnScreen(image) == SurfaceAsImage(image.Canvas())) << step.what;
  }
}

TEST(Image, APaintBeforeTheEventLoopShowsTheLatestDrawing) {
  // A grab right after drawing, with no event processed in between.
  TImage image(9, 7);
  image.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&image));
  DrawFixture(image.Canvas());
  const QImage shown = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (qApp->devicePixelRatio() == 1.0) {
    EXPECT_TRUE(shown == SurfaceAsImage(image.Canvas()));
  }
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
}

// ---- THandlerGuard --------------------------------------------------------------------------

struct TGuardCase {
  const char* name;
  std::function<void()> handler;
  std::vector<std::string> shown;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TGuardCase& c, std::ostream* os) { *os << c.name; }


class HandlerGuard : public testing::TestWithParam<TGuardCase> {};

TEST_P(HandlerGuard, ShowsTheMessageOfAnEscapingExceptionAndReturns) {
  std::vector<std::string> shown;
  TScopedPresenter presenter([&](const QString& m) { shown.push_back(m.toStdString()); });
  THandlerGuard::Run(GetParam().handler);  // must return normally
  EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HandlerGuard,
    testing::Values(
        TGuardCase{"NoException", [] {}, {}},
        TGuardCase{"RuntimeError", [] { throw std::runtime_error("disk on fire"); }, {"disk on fire"}},
        TGuardCase{"ComputationError",
                   [] { throw TComputationError("AirIndex(0 nm): division by zero"); },
                   {"AirIndex(0 nm): division by zero"}},
        TGuardCase{"Utf8Message", [] { throw std::runtime_error("移動量 μm"); }, {"移動量 μm"}},
        TGuardCase{"NotAStdException", [] { throw 42; }, {"Unknown exception"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandlerGuardWrap, GuardedCallableIgnoresArgumentsAndCatches) {
  std::vector<std::string> shown;
  TScopedPresenter presenter([&](const QString& m) { shown.push_back(m.toStdString()); });
  int runs = 0;
  auto wrapped = Guarded([&] {
    ++runs;
    throw std::logic_error("boom");
  });
  wrapped(TUDBtnType::btNext);
  wrapped();
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(shown, (std::vector<std::string>{"boom", "boom"}));
}

TEST(HandlerGuardWrap, ScopedPresenterRestoresThePreviousOne) {
  std::vector<std::string> outer;
  TScopedPresenter first([&](const QString& m) { outer.push_back("outer " + m.toStdString()); });
  {
    TScopedPresenter second([](const QString&) {});
    THandlerGuard::Run([] { throw std::runtime_error("swallowed by the inner presenter"); });
  }
  THandlerGuard::Run([] { throw std::runtime_error("x"); });
  EXPECT_EQ(outer, (std::vector<std::string>{"outer x"}));
}

TEST(HandlerGuardBox, IsTheStandardCriticalBoxWithTheApplicationTitle) {
  struct TSeen {
    bool found = false;
    QMessageBox::Icon icon{};
    QString title, text;
    QMessageBox::StandardButtons buttons;
  } seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {true, box->icon(), box->windowTitle(), box->text(), box->standardButtons()};
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  THandlerGuard::Run([] { throw std::runtime_error("prism pass failed"); });
  ASSERT_TRUE(seen.found) << "no modal message box was shown";
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.title, QStringLiteral("Orvelan"));
  EXPECT_EQ(seen.text, QStringLiteral("prism pass failed"));
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace orvelan
