// The main window: start state, layout, handlers and passes, driven by real mouse and key
// events on an offscreen window.
#include <gtest/gtest.h>

#include <ostream>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ComputationError.h"
#include "ui/Layout.h"
#include "ui_test_support.h"

namespace orvelan {
namespace {

using namespace testing_support;
constexpr TUDBtnType Up = TUDBtnType::btNext;
constexpr TUDBtnType Down = TUDBtnType::btPrev;

class Form : public testing::Test {
 protected:
  TMessageLog errors;  // before the form: a message during construction is caught too
  TForm1 form;

  void TearDown() override { EXPECT_TRUE(errors.Messages.empty()) << errors.Messages.front(); }

  void ExpectConsistentWithModel() {
    const TSettings s = form.ReadSettings();
    EXPECT_EQ(ShownReadouts(form), ModelReadouts(s));
    EXPECT_TRUE(ShownPictures(form) == RenderedPictures(form, s)) << "a picture differs";
  }
};

bool Contains(const QLabel* label, const char* number) {
  return label->text().contains(QString::fromUtf8(number));
}

// ---- start state ----------------------------------------------------------------------------

TEST_F(Form, StartsWithTheLayoutTextsAndTheDefaults) {
  const std::vector<std::pair<QLineEdit*, const char*>> texts{
      {form.Edit1, "45"},  {form.Edit2, "0"},    {form.Edit3, "30"},  {form.Edit9, "660"},
      {form.Edit10, "550"}, {form.Edit11, "440"}, {form.Edit4, "6000"}, {form.Edit5, "0"},
      {form.Edit6, "50"},  {form.Edit7, "0"}};
  for (auto [edit, text] : texts) EXPECT_EQ(edit->text(), QString::fromUtf8(text)) << text;
  EXPECT_EQ(form.ReadSettings(), TSettings{});
  EXPECT_EQ(form.ComboBox1->currentText(), "BK7");
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_TRUE(form.ComboBox1->isEnabled());
  EXPECT_TRUE(form.RadioButton1->isChecked());
  EXPECT_FALSE(form.RadioButton2->isChecked());
  EXPECT_FALSE(form.RadioButton2->isEnabled());
  EXPECT_TRUE(form.RadioButton1->isHidden());
  EXPECT_TRUE(form.RadioButton2->isHidden());
  EXPECT_TRUE(form.Edit5->isReadOnly());
  EXPECT_TRUE(form.Edit6->isReadOnly());
  EXPECT_FALSE(form.Edit1->isReadOnly());
  EXPECT_EQ(Form1, &form);
}

TEST_F(Form, StartsWithTheReadoutsAndPicturesOfTheDefaults) {
  ExpectConsistentWithModel();
  EXPECT_EQ(form.AtmosphereResult(), ComputeAtmosphere(TSettings{}));
  // The published numbers of the start state, as an oracle of their own.
  const std::vector<std::pair<QLabel*, const char*>> numbers{
      {form.Label1, "0.63"},   {form.Label2, "0.34"},  {form.Label3, "44.98"},
      {form.Label4, "0.96"},   {form.Label28, "9.88"}, {form.Label31, "18.37"},
      {form.Label25, "0.0 "},  {form.Label26, "0.0 "}, {form.Label24, "0.00"},
      {form.Label34, "9.879"}, {form.Label35, "0.340"}, {form.Label36, "18.371"},
      {form.Label37, "0.632"}};
  for (auto [label, number] : numbers)
    EXPECT_TRUE(Contains(label, number)) << label->objectName().toStdString() << ": "
                                         << label->text().toStdString();
}

TEST_F(Form, ClientAreaIsThePanelAndTheFontIsTheSubstitute) {
  EXPECT_EQ(form.centralWidget(), form.Panel1);
  EXPECT_EQ(form.Panel1->size(), QSize(665, 481));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.width(), 665);
  EXPECT_EQ(form.height(), form.Panel1->y() + 481);  // a menu bar, if any, sits above
  EXPECT_EQ(form.windowTitle(), "Orvelan");
  for (QWidget* w : std::initializer_list<QWidget*>{form.Label5, form.Label34, form.Edit1,
                                                    form.ComboBox1, form.GroupBox4}) {
    const QFontInfo font(w->font());
    EXPECT_EQ(font.family(), "IPAPGothic") << w->objectName().toStdString();
    EXPECT_EQ(font.pixelSize(), 12) << w->objectName().toStdString();
  }
  const QSize sizes[] = {{160, 160}, {265, 160}, {153, 160}, {65, 145}, {177, 113}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Images(form)[i]->size(), sizes[i]) << "Image" << i + 1;
}

// Every control lies inside its parent, and no two shown siblings overlap, except a text box
// and its spin button, which share one column as designed.
void ExpectNothingOverlaps(const TForm1& form) {
  std::set<std::pair<std::string, std::string>> allowed;
  for (std::size_t i = 0; i < kSpinBindings.size(); ++i) {
    const auto& row = form.SettingRows()[i];
    allowed.insert({row.Edit->objectName().toStdString(), row.Spin->objectName().toStdString()});
  }
  std::map<QWidget*, std::vector<QWidget*>> children;
  for (const TControlLayout& c : kLayout) {
    QWidget* w = form.findChild<QWidget*>(QString::fromUtf8(c.Name.data(), c.Name.size()));
    ASSERT_NE(w, nullptr) << c.Name;
    if (w->isHidden()) continue;
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
        << c.Name << " leaves its parent";
    children[w->parentWidget()].push_back(w);
  }
  for (auto& [parent, list] : children) {
    for (std::size_t a = 0; a < list.size(); ++a) {
      for (std::size_t b = a + 1; b < list.size(); ++b) {
        const std::string n1 = list[a]->objectName().toStdString();
        const std::string n2 = list[b]->objectName().toStdString();
        if (allowed.count({n1, n2}) || allowed.count({n2, n1})) continue;
        EXPECT_FALSE(list[a]->geometry().intersects(list[b]->geometry())) << n1 << " / " << n2;
      }
    }
  }
}

// At the far corners of the ranges (SF2, -10 degrees, 100 mm, 30000 mm, 300 nm) a read-out
// such as "G - R = -1242.27 μm" is wider than its 137-pixel group box and is cut off there;
// the layout is kept as designed. Here: long texts of the common kind.
TEST_F(Form, NothingOverlapsAtStartNorWithLongReadouts) {
  form.show();  // labels measure their texts in the window's font
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ExpectNothingOverlaps(form);
  // Low altitude, largest wedge and lever, SF2, a negative shift, widest text-box texts.
  ClickArrow(form.UpDown1, Down, 40);
  ClickArrow(form.UpDown8, Up, 100);
  ClickArrow(form.UpDown9, Up, 50);
  ClickArrow(form.UpDown10, Down, 10);
  PickGlass(form.ComboBox1, TGlass::SF2);
  ClickArrow(form.UpDown2, Up, 100);
  ClickArrow(form.UpDown7, Up, 240);
  ExpectNothingOverlaps(form);
}

TEST_F(Form, TabOrderFollowsTheContainersAndTheirOrder) {
  const std::vector<QWidget*> expected{
      form.Edit1,  form.Edit2,  form.UpDown1, form.UpDown2, form.Edit3,   form.UpDown3,
      form.Edit9,  form.UpDown4, form.Edit10, form.UpDown5, form.Edit11,  form.UpDown6,
      form.Edit4,  form.Edit5,  form.Edit6,   form.ComboBox1, form.UpDown7, form.UpDown8,
      form.UpDown9, form.Edit7, form.UpDown10, form.RadioButton1, form.RadioButton2};
  const std::set<QWidget*> named(expected.begin(), expected.end());
  std::vector<QWidget*> chain;
  QWidget* w = form.Edit1;
  do {
    if (named.count(w)) chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != form.Edit1 && chain.size() < 100);
  EXPECT_EQ(chain, expected);
}

// ---- handlers and passes --------------------------------------------------------------------

struct TSpinCase {
  int row;  // index in SettingRows / kNumericSettings
  bool runsAtmosphere;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TSpinCase& c, std::ostream* os) { *os << "row " << c.row; }


class SpinHandler : public Form, public testing::WithParamInterface<TSpinCase> {};

TEST_P(SpinHandler, WritesItsTextBoxThenRunsItsPassesInOrder) {
  const auto& row = form.SettingRows()[GetParam().row];
  const TUDBtnType arrow = row.Spin->Position() == row.Setting->Maximum ? Down : Up;
  TStepLog log(form);
  ClickArrow(row.Spin, arrow);
  std::vector<TPassStep> expected = GetParam().runsAtmosphere ? BothPasses() : kPrismSteps;
  EXPECT_EQ(log.Steps, expected);
  EXPECT_EQ(row.Edit->text().toStdString(), PositionText(row, row.Spin->Position()));
  ExpectConsistentWithModel();
}

INSTANTIATE_TEST_SUITE_P(AllTen, SpinHandler,
                         testing::Values(TSpinCase{0, true}, TSpinCase{1, true},
                                         TSpinCase{2, true}, TSpinCase{3, true},
                                         TSpinCase{4, true}, TSpinCase{5, true},
                                         TSpinCase{6, true}, TSpinCase{7, false},
                                         TSpinCase{8, false}, TSpinCase{9, false}),
                         [](const auto& info) {
                           return std::string(kNumericSettings[info.param.row].Name);
                         });

TEST_F(Form, PrismAngleTextsDownToTheEndAndBack) {
  TStepLog log(form);
  ClickArrow(form.UpDown8, Down);
  EXPECT_EQ(form.Edit5->text(), "-0.1");
  ClickArrow(form.UpDown8, Down, 99);
  EXPECT_EQ(form.Edit5->text(), "-10.0");
  EXPECT_EQ(form.UpDown8->Position(), -100);
  const std::size_t steps = log.Steps.size();
  ClickArrow(form.UpDown8, Down);  // at the end: no handler, no pass
  EXPECT_EQ(log.Steps.size(), steps);
  EXPECT_EQ(form.Edit5->text(), "-10.0");
  ClickArrow(form.UpDown8, Up, 100);
  EXPECT_EQ(form.Edit5->text(), "0.0");  // not the layout text "0"
  ClickArrow(form.UpDown8, Up, 5);
  EXPECT_EQ(form.Edit5->text(), "0.5");
  EXPECT_EQ(log.Steps.size(), 205 * kPrismSteps.size());
  ExpectConsistentWithModel();
}

struct TEndCase {
  int row;
  TUDBtnType arrow;
  int clicksToEnd;
  const char* endText;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TEndCase& c, std::ostream* os) { *os << "row " << c.row << " to " << c.endText; }


class RangeEnd : public Form, public testing::WithParamInterface<TEndCase> {};

TEST_P(RangeEnd, StopsThereWithoutAHandlerAndWithoutWrapping) {
  const TEndCase& c = GetParam();
  const auto& row = form.SettingRows()[c.row];
  ClickArrow(row.Spin, c.arrow, c.clicksToEnd);
  EXPECT_EQ(row.Edit->text(), c.endText);
  const TReadouts readouts = ShownReadouts(form);
  TStepLog log(form);
  ClickArrow(row.Spin, c.arrow, 2);
  EXPECT_TRUE(log.Steps.empty());
  EXPECT_EQ(row.Edit->text(), c.endText);
  EXPECT_EQ(ShownReadouts(form), readouts);
  ExpectConsistentWithModel();
}

INSTANTIATE_TEST_SUITE_P(
    Table, RangeEnd,
    testing::Values(TEndCase{0, Up, 45, "90"}, TEndCase{0, Down, 40, "5"},
                    TEndCase{1, Down, 0, "0"}, TEndCase{1, Up, 100, "10000"},
                    TEndCase{2, Down, 29, "1"}, TEndCase{3, Up, 24, "900"},
                    TEndCase{5, Down, 14, "300"}, TEndCase{6, Up, 240, "30000"},
                    TEndCase{6, Down, 50, "1000"}, TEndCase{7, Up, 100, "10.0"},
                    TEndCase{8, Down, 50, "0"}, TEndCase{9, Down, 10, "-10"},
                    TEndCase{9, Up, 10, "10"}),
    [](const auto& info) {
      return std::string(kNumericSettings[info.param.row].Name) +
             (info.param.arrow == TUDBtnType::btNext ? "Max" : "Min");
    });

// ---- the mouse wheel over a spin button -------------------------------------------------------

// A wheel turn over the upper arrow of a spin button, as the mouse sends it.
void Wheel(TUpDown* spin, int delta) {
  const QPointF local(4.5, 5);
  QWheelEvent event(local, spin->UpButton()->mapToGlobal(local), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(spin->UpButton(), &event);
}

class SpinWheel : public Form, public testing::WithParamInterface<int> {};

TEST_P(SpinWheel, OneNotchRunsTheHandlerLikeAClick) {
  const auto& row = form.SettingRows()[GetParam()];
  const int start = row.Spin->Position();
  TStepLog log(form);
  Wheel(row.Spin, TUpDown::kWheelNotch);
  EXPECT_EQ(row.Spin->Position(), start + row.Setting->Step);
  EXPECT_EQ(log.Steps, GetParam() <= 6 ? BothPasses() : kPrismSteps);  // up to FocalLength
  EXPECT_EQ(row.Edit->text().toStdString(), PositionText(row, row.Spin->Position()));
  ExpectConsistentWithModel();
}

INSTANTIATE_TEST_SUITE_P(AllTen, SpinWheel, testing::Range(0, 10), [](const auto& info) {
  return std::string(kNumericSettings[info.param].Name);
});

TEST_F(Form, WheelPartsAddUpNotchesEachRunTheHandlerAndTheEndRunsNone) {
  TStepLog log(form);
  Wheel(form.UpDown1, 60);  // half a notch: nothing yet
  EXPECT_TRUE(log.Steps.empty());
  EXPECT_EQ(form.Edit1->text(), "45");
  Wheel(form.UpDown1, 60);
  EXPECT_EQ(form.Edit1->text(), "46");
  EXPECT_EQ(log.Steps, BothPasses());
  Wheel(form.UpDown1, 3 * TUpDown::kWheelNotch);  // one handler run per notch
  EXPECT_EQ(form.Edit1->text(), "49");
  EXPECT_EQ(log.Steps.size(), 4 * BothPasses().size());
  ExpectConsistentWithModel();

  log.Steps.clear();
  Wheel(form.UpDown10, -12 * TUpDown::kWheelNotch);  // 10 steps to the end, then nothing
  EXPECT_EQ(form.Edit7->text(), "-10");
  EXPECT_EQ(log.Steps.size(), 10 * kPrismSteps.size());
  const TReadouts readouts = ShownReadouts(form);
  log.Steps.clear();
  Wheel(form.UpDown10, -TUpDown::kWheelNotch);
  EXPECT_TRUE(log.Steps.empty());
  EXPECT_EQ(form.Edit7->text(), "-10");
  EXPECT_EQ(ShownReadouts(form), readouts);
  ExpectConsistentWithModel();
}

TEST_F(Form, GlassPickRunsThePrismPassOnly) {
  ClickArrow(form.UpDown8, Up, 10);  // 1.0 degree, so that the glass matters
  const TReadouts before = ShownReadouts(form);
  const auto image1 = PixelBytes(form.Image1->Canvas());
  TStepLog log(form);
  PickGlass(form.ComboBox1, TGlass::SF2);
  EXPECT_EQ(log.Steps, kPrismSteps);
  EXPECT_EQ(form.ReadSettings().Glass, TGlass::SF2);
  const TReadouts after = ShownReadouts(form);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(after.Texts[i], before.Texts[i]) << "Label" << i + 1;
  EXPECT_EQ(PixelBytes(form.Image1->Canvas()), image1);
  // The SF2 row of the worked example.
  EXPECT_TRUE(Contains(form.Label25, "7.8 ")) << form.Label25->text().toStdString();
  EXPECT_TRUE(Contains(form.Label26, "15.3 "));
  EXPECT_TRUE(Contains(form.Label24, "0.54"));
  EXPECT_TRUE(Contains(form.Label34, "2.119"));
  EXPECT_TRUE(Contains(form.Label37, "0.107"));
  ExpectConsistentWithModel();

  PickGlass(form.ComboBox1, TGlass::BK7);
  EXPECT_TRUE(Contains(form.Label34, "6.113"));
  ExpectConsistentWithModel();
}

TEST_F(Form, SelectionsByProgramRunNoHandler) {
  TStepLog log(form);
  form.ComboBox1->setCurrentIndex(1);
  form.UpDown1->SetPosition(60);
  form.RadioButton2->setChecked(true);
  form.RadioButton1->setChecked(true);
  EXPECT_TRUE(log.Steps.empty());
}

TEST_F(Form, HybridDisablesTheGlassListAndSingleBringsItBack) {
  ClickArrow(form.UpDown8, Up, 10);
  form.RadioButton2->setEnabled(true);  // the window keeps it disabled and hidden
  TStepLog log(form);
  form.RadioButton2->click();
  EXPECT_EQ(log.Steps, kPrismSteps);
  EXPECT_FALSE(form.ComboBox1->isEnabled());
  EXPECT_EQ(form.ReadSettings().PrismType, TPrismType::Hybrid);
  EXPECT_TRUE(Contains(form.Label25, "2.5 ")) << form.Label25->text().toStdString();
  EXPECT_TRUE(Contains(form.Label34, "7.414"));
  ExpectConsistentWithModel();

  form.RadioButton1->click();
  EXPECT_TRUE(form.ComboBox1->isEnabled());
  EXPECT_EQ(form.ReadSettings().PrismType, TPrismType::Single);
  EXPECT_TRUE(Contains(form.Label34, "6.113"));
  EXPECT_EQ(log.Steps.size(), 2 * kPrismSteps.size());
  ExpectConsistentWithModel();
}

class TypedText : public Form, public testing::WithParamInterface<int> {};

TEST_P(TypedText, IsNeverReadAndStaysUntilTheNextStep) {
  const auto& row = form.SettingRows()[GetParam()];
  const QString layoutText = row.Edit->text();
  const TReadouts readouts = ShownReadouts(form);
  const auto pictures = ShownPictures(form);
  TStepLog log(form);
  row.Edit->setFocus();
  QTest::keyClicks(row.Edit, "123");
  QTest::keyClick(row.Edit, Qt::Key_Return);
  if (row.Edit->isReadOnly())
    EXPECT_EQ(row.Edit->text(), layoutText);
  else
    EXPECT_EQ(row.Edit->text(), layoutText + "123");
  EXPECT_TRUE(log.Steps.empty());
  EXPECT_EQ(form.ReadSettings(), TSettings{});
  EXPECT_EQ(ShownReadouts(form), readouts);
  EXPECT_TRUE(ShownPictures(form) == pictures);

  const TUDBtnType arrow = row.Spin->Position() == row.Setting->Maximum ? Down : Up;
  ClickArrow(row.Spin, arrow);
  EXPECT_EQ(row.Edit->text().toStdString(), PositionText(row, row.Spin->Position()));
}

INSTANTIATE_TEST_SUITE_P(AllTen, TypedText, testing::Range(0, 10), [](const auto& info) {
  return std::string(kNumericSettings[info.param].Name);
});

// ---- faults ---------------------------------------------------------------------------------

struct TFaultCase {
  TPassStep step;
  const char* name;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TFaultCase& c, std::ostream* os) { *os << c.name; }


class PassFault : public Form, public testing::WithParamInterface<TFaultCase> {};

TEST_P(PassFault, IsShownOnceAndTheWindowGoesOn) {
  bool armed = true;
  form.SetPassProbe([&](TPassStep step) {
    if (armed && step == GetParam().step) {
      armed = false;
      throw TComputationError("injected fault");
    }
  });
  const TReadouts before = ShownReadouts(form);
  ClickArrow(form.UpDown1, Up);  // runs both passes; the fault ends the handler
  ASSERT_EQ(errors.Messages, std::vector<std::string>{"injected fault"});
  errors.Messages.clear();
  EXPECT_EQ(form.Edit1->text(), "46");  // written before the passes
  if (GetParam().step == TPassStep::AtmosphereCompute) {
    EXPECT_EQ(ShownReadouts(form), before);  // nothing after the fault was written
  }

  ClickArrow(form.UpDown1, Up);
  EXPECT_TRUE(errors.Messages.empty());
  EXPECT_EQ(form.Edit1->text(), "47");
  ExpectConsistentWithModel();
  form.SetPassProbe({});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PassFault,
    testing::Values(TFaultCase{TPassStep::AtmosphereCompute, "AtmosphereCompute"},
                    TFaultCase{TPassStep::UncorrectedPicture, "UncorrectedPicture"},
                    TFaultCase{TPassStep::PrismCompute, "PrismCompute"},
                    TFaultCase{TPassStep::ColorCorrectionChart, "ColorCorrectionChart"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormErrorBox, FaultShowsTheCriticalBoxAndTheWindowKeepsWorking) {
  TForm1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.SetPassProbe([](TPassStep step) {
    if (step == TPassStep::PrismCompute) throw TComputationError("ComputePrism: overflow");
  });
  QString text;
  QMessageBox::Icon icon{};
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      icon = box->icon();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
  });
  ClickArrow(form.UpDown9, Up);
  EXPECT_EQ(text, "ComputePrism: overflow");
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  form.SetPassProbe({});
  ClickArrow(form.UpDown9, Up);
  EXPECT_EQ(form.Edit6->text(), "52");
  EXPECT_EQ(ShownReadouts(form), ModelReadouts(form.ReadSettings()));
}

TEST(FormGlobal, RefersToTheWindowWhileItExists) {
  {
    TForm1 form;
    EXPECT_EQ(Form1, &form);
  }
  EXPECT_EQ(Form1, nullptr);
}

}  // namespace
}  // namespace orvelan
