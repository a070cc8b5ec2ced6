// A seeded monkey: random user events on one window (arrow clicks, held arrows, glass picks,
// typing into the text boxes). After every event the text boxes, the settings and the
// read-outs must agree with an independent account of what the user did.
//
// ORVELAN_MONKEY_SEED and ORVELAN_MONKEY_EVENTS override the seed and the number of events.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "ui_test_support.h"

namespace orvelan {
namespace {

using namespace testing_support;

unsigned long FromEnvironment(const char* name, unsigned long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::stoul(value) : fallback;
}

// Waits, processing events, until the spin has reached `target`; false after five seconds.
// One processEvents() call fires the repeat timer at most once, so the position is seen after
// every repeated step and the release comes right after the step that reached the target.
bool WaitForPosition(const TUpDown* spin, int target) {
  QElapsedTimer clock;
  clock.start();
  while (spin->Position() != target) {
    if (clock.elapsed() > 5000) return false;
    QCoreApplication::processEvents();
  }
  return true;
}

TEST(Monkey, RandomUserEventsKeepTheWindowConsistent) {
  const unsigned long seed = FromEnvironment("ORVELAN_MONKEY_SEED", 20260411);
  const unsigned long events = FromEnvironment("ORVELAN_MONKEY_EVENTS", 20000);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

  TMessageLog errors;
  TForm1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const auto& rows = form.SettingRows();
  for (const auto& row : rows) row.Spin->SetRepeatTiming(1, 1);

  // What the user has done, kept apart from the window.
  std::array<int, 10> position{};
  std::array<std::string, 10> text{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    position[i] = rows[i].Setting->Default;
    text[i] = rows[i].Edit->text().toStdString();  // the layout texts, checked elsewhere
  }
  TGlass glass = TGlass::BK7;
  int passes = 0;
  form.SetPassProbe([&](TPassStep step) {
    if (step == TPassStep::AtmosphereSnapshot || step == TPassStep::PrismSnapshot) ++passes;
  });
  auto passesPerStep = [](std::size_t row) { return row <= 6 ? 2 : 1; };  // up to FocalLength

  for (unsigned long n = 0; n < events; ++n) {
    std::ostringstream what;
    what << "seed " << seed << ", event " << n << ": ";
    int expectedPasses = 0;
    const int kind = below(100);
    if (kind < 72) {
      // A click (kind < 60) or an arrow held for a few repeats (60 ... 71).
      const auto r = static_cast<std::size_t>(below(10));
      const bool up = below(2) == 0;
      const int repeats = kind < 60 ? 0 : 1 + below(6);
      const TNumericSetting& s = *rows[r].Setting;
      const int delta = (up ? s.Step : -s.Step) * (1 + repeats);
      const int target = std::clamp(position[r] + delta, int{s.Minimum}, int{s.Maximum});
      TArrowButton* arrow = up ? rows[r].Spin->UpButton() : rows[r].Spin->DownButton();
      what << (repeats ? "hold " : "click ") << (up ? "up " : "down ") << s.Name << " from "
           << position[r] << (repeats ? " for " + std::to_string(repeats) + " repeats" : "");
      if (repeats == 0) {
        QTest::mouseClick(arrow, Qt::LeftButton);
      } else {
        QTest::mousePress(arrow, Qt::LeftButton);
        const bool reached = WaitForPosition(rows[r].Spin, target);
        QTest::mouseRelease(arrow, Qt::LeftButton);
        ASSERT_TRUE(reached) << what.str() << ": held at " << rows[r].Spin->Position()
                             << " instead of reaching " << target;
      }
      const int steps = std::abs(target - position[r]) / s.Step;
      expectedPasses = steps * passesPerStep(r);
      if (steps > 0) text[r] = PositionText(rows[r], static_cast<int16_t>(target));
      position[r] = target;
    } else if (kind < 86) {
      glass = below(2) == 0 ? TGlass::BK7 : TGlass::SF2;
      what << "pick " << (glass == TGlass::BK7 ? "BK7" : "SF2");
      PickGlass(form.ComboBox1, glass);
      expectedPasses = 1;
    } else {
      const auto r = static_cast<std::size_t>(below(10));
      static constexpr char kKeys[] = "0123456789-.,ax ";
      std::string typed;
      for (int k = 1 + below(4); k > 0; --k) typed += kKeys[below(sizeof kKeys - 1)];
      what << "type \"" << typed << "\" into the box of " << rows[r].Setting->Name;
      QTest::keyClicks(rows[r].Edit, QString::fromStdString(typed));
      if (!rows[r].Edit->isReadOnly()) text[r] += typed;
    }

    const std::string where = what.str();
    ASSERT_EQ(passes, expectedPasses) << where;
    passes = 0;
    TSettings expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ASSERT_EQ(rows[i].Spin->Position(), position[i]) << where << "; " << rows[i].Setting->Name;
      ASSERT_EQ(rows[i].Edit->text().toStdString(), text[i]) << where << "; " << rows[i].Setting->Name;
      expected.*(rows[i].Setting->Field) = static_cast<int16_t>(position[i]);
    }
    expected.Glass = glass;
    const TSettings shown = form.ReadSettings();
    ASSERT_EQ(shown, expected) << where;
    ASSERT_EQ(ShownReadouts(form), ModelReadouts(shown)) << where;
    if (n % 64 == 0 || n + 1 == events) {
      ASSERT_TRUE(ShownPictures(form) == RenderedPictures(form, shown)) << where;
    }
    ASSERT_TRUE(errors.Messages.empty()) << where << "; " << errors.Messages.front();
  }
  form.SetPassProbe({});
}

}  // namespace
}  // namespace orvelan
