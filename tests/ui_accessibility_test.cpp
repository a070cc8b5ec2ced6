// What a screen reader gets from the main window, read through Qt's accessibility interface
// on the offscreen platform: names and descriptions of the read-outs, spin buttons, text
// boxes and pictures, and the current readings.
#include <gtest/gtest.h>

#include <ostream>

#include <QAccessible>
#include <QWheelEvent>

#include <set>
#include <string>
#include <vector>

#include "ui/Layout.h"
#include "ui_test_support.h"

namespace orvelan {
namespace {

using namespace testing_support;

QAccessibleInterface* Accessible(QWidget* control) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
  EXPECT_NE(a, nullptr) << control->objectName().toStdString();
  return a;
}

std::string Say(QWidget* control, QAccessible::Text what) {
  QAccessibleInterface* a = Accessible(control);
  return a == nullptr ? std::string() : a->text(what).toStdString();
}

// The reading as the text interface gives it (AT-SPI reads labels through it).
std::string ReadText(QWidget* control) {
  QAccessibleTextInterface* text = Accessible(control)->textInterface();
  if (text == nullptr) return "<no text interface>";
  return text->text(0, text->characterCount()).toStdString();
}

class Accessibility : public testing::Test {
 protected:
  TMessageLog errors;
  TForm1 form;
  void TearDown() override { EXPECT_TRUE(errors.Messages.empty()) << errors.Messages.front(); }

  // Every read-out label, spin button, text box and picture box.
  std::vector<QWidget*> Controls() const {
    std::vector<QWidget*> all;
    for (QLabel* label : ReadoutLabels(form)) all.push_back(label);
    for (const auto& row : form.SettingRows()) {
      all.push_back(row.Spin);
      all.push_back(row.Edit);
    }
    for (TImage* image : Images(form)) all.push_back(image);
    return all;
  }
};

TEST_F(Accessibility, EveryControlHasANameOfItsOwn) {
  const std::vector<QWidget*> controls = Controls();
  ASSERT_EQ(controls.size(), 38u);
  std::set<std::string> names;
  for (QWidget* control : controls) {
    const std::string name = Say(control, QAccessible::Name);
    EXPECT_FALSE(name.empty()) << control->objectName().toStdString();
    EXPECT_TRUE(names.insert(name).second)
        << control->objectName().toStdString() << " shares its name \"" << name << "\"";
  }
  // The table names exactly these controls.
  std::set<std::string> named;
  for (const TAccessibleText& a : kAccessibleTexts) named.insert(std::string(a.Control));
  std::set<std::string> expected;
  for (QWidget* control : controls) expected.insert(control->objectName().toStdString());
  EXPECT_EQ(named, expected);
}

// ---- read-outs and pictures: named by their meaning -------------------------------------------

struct TMeaningCase {
  const char* member;  // a read-out label or a picture box
  const char* name;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TMeaningCase& c, std::ostream* os) { *os << c.member; }


class Meaning : public Accessibility, public testing::WithParamInterface<TMeaningCase> {
 protected:
  QWidget* Control() { return form.findChild<QWidget*>(GetParam().member); }
};

TEST_P(Meaning, IsTheNameAndTheReadingIsTheValue) {
  QWidget* control = Control();
  ASSERT_NE(control, nullptr);
  QAccessibleInterface* a = Accessible(control);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(QAccessible::Name).toStdString(), GetParam().name);
  EXPECT_FALSE(a->text(QAccessible::Description).isEmpty());
  if (auto* label = qobject_cast<QLabel*>(control)) {
    EXPECT_EQ(a->role(), QAccessible::StaticText);
    const std::string reading = label->text().toStdString();
    ASSERT_FALSE(reading.empty());
    EXPECT_EQ(a->text(QAccessible::Value).toStdString(), reading);
    EXPECT_EQ(ReadText(label), reading);
  } else {
    EXPECT_EQ(a->role(), QAccessible::Graphic);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Meaning,
    testing::Values(
        TMeaningCase{"Label2", "green minus red on the sky"},
        TMeaningCase{"Label1", "blue minus green on the sky"},
        TMeaningCase{"Label3", "altitude outside the atmosphere"},
        TMeaningCase{"Label4", "lift by the atmosphere"},
        TMeaningCase{"Label28", "green minus red in the focal plane"},
        TMeaningCase{"Label31", "blue minus green in the focal plane"},
        TMeaningCase{"Label25", "green minus red by the prism"},
        TMeaningCase{"Label26", "blue minus green by the prism"},
        TMeaningCase{"Label24", "displacement of the green image"},
        TMeaningCase{"Label34", "residual green minus red in the focal plane"},
        TMeaningCase{"Label35", "residual green minus red on the sky"},
        TMeaningCase{"Label36", "residual blue minus green in the focal plane"},
        TMeaningCase{"Label37", "residual blue minus green on the sky"},
        TMeaningCase{"Image1", "planet as the atmosphere leaves it"},
        TMeaningCase{"Image2", "ray diagram"},
        TMeaningCase{"Image3", "planet after correction"},
        TMeaningCase{"Image4", "position chart"},
        TMeaningCase{"Image5", "colour-correction chart"}),
    [](const auto& info) { return std::string(info.param.member); });

// ---- settings: named after the setting with its unit --------------------------------------------

struct TSettingCase {
  int row;            // in SettingRows / kNumericSettings
  const char* words;  // the setting, as both names say it
  const char* spinUnit;
  const char* editUnit;
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TSettingCase& c, std::ostream* os) { *os << "row " << c.row; }


class SettingName : public Accessibility, public testing::WithParamInterface<TSettingCase> {};

TEST_P(SettingName, SaysTheSettingAndUnitAndTheCurrentValue) {
  const TSettingCase& c = GetParam();
  const auto& row = form.SettingRows()[c.row];
  const std::string spin = Say(row.Spin, QAccessible::Name);
  const std::string edit = Say(row.Edit, QAccessible::Name);
  for (const std::string& name : {spin, edit}) {
    EXPECT_NE(name.find(c.words), std::string::npos) << name;
    EXPECT_NE(name, row.Setting->Name);  // not the bare field name
  }
  EXPECT_NE(spin.find(c.spinUnit), std::string::npos) << spin;
  EXPECT_NE(edit.find(c.editUnit), std::string::npos) << edit;

  // The spin box's value is its position; the text box's value is the text it shows.
  EXPECT_EQ(Accessible(row.Spin)->role(), QAccessible::SpinBox);
  const TUDBtnType arrow =
      row.Spin->Position() == row.Setting->Maximum ? TUDBtnType::btPrev : TUDBtnType::btNext;
  ClickArrow(row.Spin, arrow);
  EXPECT_EQ(Say(row.Spin, QAccessible::Value), std::to_string(row.Spin->Position()));
  EXPECT_EQ(Say(row.Edit, QAccessible::Value), PositionText(row, row.Spin->Position()));
}

INSTANTIATE_TEST_SUITE_P(
    AllTen, SettingName,
    testing::Values(TSettingCase{0, "altitude of the planet", "degrees", "degrees"},
                    TSettingCase{1, "height above sea level", "metres", "metres"},
                    TSettingCase{2, "apparent diameter of the planet", "arcseconds", "arcseconds"},
                    TSettingCase{3, "red filter wavelength", "nanometres", "nanometres"},
                    TSettingCase{4, "green filter wavelength", "nanometres", "nanometres"},
                    TSettingCase{5, "blue filter wavelength", "nanometres", "nanometres"},
                    TSettingCase{6, "focal length of the telescope", "millimetres", "millimetres"},
                    // The spin counts tenths of a degree; its text box shows degrees.
                    TSettingCase{7, "prism angle", "tenths of a degree", "degrees"},
                    TSettingCase{8, "distance of the prism from the sensor", "millimetres",
                                 "millimetres"},
                    TSettingCase{9, "shift of the planet image", "millimetres", "millimetres"}),
    [](const auto& info) { return std::string(kNumericSettings[info.param.row].Name); });

// ---- the readings follow the passes ----------------------------------------------------------

// The thirteen readings as a screen reader gets them, as value and as text.
TReadouts SpokenReadouts(const TForm1& form, bool throughTextInterface) {
  TReadouts r;
  for (QLabel* label : ReadoutLabels(form))
    r.Texts.push_back(throughTextInterface ? ReadText(label) : Say(label, QAccessible::Value));
  return r;
}

TEST_F(Accessibility, ReadingsChangeWithEachStepAndTheMeaningsStay) {
  std::vector<std::string> meanings;
  for (QLabel* label : ReadoutLabels(form)) meanings.push_back(Say(label, QAccessible::Name));
  const TReadouts before = SpokenReadouts(form, false);
  EXPECT_EQ(before, ModelReadouts(TSettings{}));

  ClickArrow(form.UpDown1, TUDBtnType::btNext);  // altitude 46: every read-out but the
  ClickArrow(form.UpDown8, TUDBtnType::btNext);  // displacement changes; the wedge moves it
  const TReadouts after = SpokenReadouts(form, false);
  EXPECT_EQ(after, ModelReadouts(form.ReadSettings()));
  EXPECT_EQ(SpokenReadouts(form, true), after);
  for (std::size_t i = 0; i < after.Texts.size(); ++i)
    EXPECT_NE(after.Texts[i], before.Texts[i]) << "read-out " << i << " did not change";

  for (std::size_t i = 0; i < meanings.size(); ++i)
    EXPECT_EQ(Say(ReadoutLabels(form)[i], QAccessible::Name), meanings[i]);
}

TEST_F(Accessibility, WheelAndAccessibleActionsChangeTheReadingsLikeAClick) {
  const QPointF local(4.5, 5);
  QWheelEvent notch(local, form.UpDown1->UpButton()->mapToGlobal(local), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.UpDown1->UpButton(), &notch);
  EXPECT_EQ(form.Edit1->text(), "46");
  EXPECT_EQ(SpokenReadouts(form, false), ModelReadouts(form.ReadSettings()));

  // A screen reader's "increase" on the spin box runs the handler as the arrow does.
  Accessible(form.UpDown1)->actionInterface()->doAction(
      QAccessibleActionInterface::increaseAction());
  EXPECT_EQ(form.Edit1->text(), "47");
  EXPECT_EQ(Say(form.UpDown1, QAccessible::Value), "47");
  EXPECT_EQ(SpokenReadouts(form, false), ModelReadouts(form.ReadSettings()));
}

}  // namespace
}  // namespace orvelan
