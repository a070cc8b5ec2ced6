// The label, text box and group box of the framework look exactly like their Qt counterparts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <memory>
#include <type_traits>
#include <string>

#include "framework/Edit.h"
#include "framework/GroupBox.h"
#include "framework/Label.h"

namespace orvelan {
namespace {

QFont WindowFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  return font;
}

// A parent in a colour of its own, so that a label that paints a background of another
// colour, or none where it should, shows.
std::unique_ptr<QWidget> Parent() {
  auto parent = std::make_unique<QWidget>();
  QPalette palette = parent->palette();
  palette.setColor(QPalette::Window, QColor(0xd4, 0xd0, 0xc8));
  parent->setPalette(palette);
  parent->setAutoFillBackground(true);
  parent->setFont(WindowFont());
  parent->resize(240, 40);
  return parent;
}

QImage Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Read-out texts of every kind the window shows, and the edge cases of a caption.
const char* const kTexts[] = {
    "G - R = 0.34\"",       "B - G = -18.371 μm", "Altitude = 44.98°", "Difference = 0.96'",
    "移動量 = 0.00 mm",     "dGR = 9.879  μm",    "= 0.340 \"",        "惑星視直径",
    "G - R = -1242.27 μm",  " leading space",     "trailing space ",   "x",
    "æ ß é Ωμ",             "e\xcc\x81 ɐ →",       ""};

class LabelText : public testing::TestWithParam<const char*> {};

TEST_P(LabelText, HasTheSizeAndPixelsOfAQLabel) {
  const QString text = QString::fromUtf8(GetParam());
  auto expectedParent = Parent();
  auto* expected = new QLabel(QStringLiteral("placeholder"), expectedParent.get());
  expected->move(10, 12);
  expected->setText(text);
  expected->adjustSize();
  auto actualParent = Parent();
  auto* actual = new TLabel(QStringLiteral("placeholder"), actualParent.get());
  actual->move(10, 12);
  actual->SetCaption(text);

  EXPECT_EQ(actual->text(), text);
  EXPECT_EQ(actual->sizeHint(), expected->sizeHint());
  EXPECT_EQ(actual->geometry(), expected->geometry());
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, LabelText, testing::ValuesIn(kTexts));

TEST(Label, FollowsATextSetBehindItsBackAndAFontChange) {
  auto expectedParent = Parent();
  auto* expected = new QLabel(QStringLiteral("Label1"), expectedParent.get());
  auto actualParent = Parent();
  auto* actual = new TLabel(QStringLiteral("Label1"), actualParent.get());
  actual->SetCaption(QStringLiteral("G - R = 0.34\""));
  (void)Grab(*actualParent);  // lays out and paints the first text

  // setText() without SetCaption: no new size, but the paint shows the new text.
  for (QLabel* label : {static_cast<QLabel*>(actual), expected}) {
    label->resize(200, 14);
    label->setText(QStringLiteral("B - G = 10.25\""));
  }
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent));

  QFont larger = WindowFont();
  larger.setPixelSize(16);
  for (QLabel* label : {static_cast<QLabel*>(actual), expected}) {
    label->setFont(larger);
    label->adjustSize();
  }
  EXPECT_EQ(actual->size(), expected->size());
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent));
}

TEST(Label, FollowsItsCaptionsInSizeAsAQLabelDoes) {
  // One reading after another on a shown window: the same width, wider, narrower.
  auto expectedParent = Parent();
  auto* expected = new QLabel(QStringLiteral("Label1"), expectedParent.get());
  auto actualParent = Parent();
  auto* actual = new TLabel(QStringLiteral("Label1"), actualParent.get());
  for (QWidget* parent : {expectedParent.get(), actualParent.get()}) {
    parent->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent));
  }
  for (const char* text : {"B - G = 0.63''", "B - G = 0.64''", "B - G = 10.64''", "B - G = 1''",
                           "B - G = 1''"}) {
    expected->setText(QString::fromUtf8(text));
    expected->adjustSize();
    actual->SetCaption(QString::fromUtf8(text));
    EXPECT_EQ(actual->geometry(), expected->geometry()) << text;
    EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << text;
  }
}

TEST(Label, OtherKindsOfLabelAreLeftToQLabel) {
  auto expectedParent = Parent();
  auto* expected = new QLabel(QStringLiteral("<b>rich</b> text"), expectedParent.get());
  auto actualParent = Parent();
  auto* actual = new TLabel(QStringLiteral("<b>rich</b> text"), actualParent.get());
  auto* disabledExpected = new QLabel(QStringLiteral("disabled"), expectedParent.get());
  auto* disabledActual = new TLabel(QStringLiteral("disabled"), actualParent.get());
  auto* centredExpected = new QLabel(QStringLiteral("centred"), expectedParent.get());
  auto* centredActual = new TLabel(QStringLiteral("centred"), actualParent.get());
  disabledExpected->setEnabled(false);
  disabledActual->setEnabled(false);
  centredExpected->setAlignment(Qt::AlignCenter);
  centredActual->setAlignment(Qt::AlignCenter);
  const QPoint places[] = {{4, 2}, {4, 20}, {120, 2}};
  QLabel* expectedLabels[] = {expected, disabledExpected, centredExpected};
  QLabel* actualLabels[] = {actual, disabledActual, centredActual};
  for (int i = 0; i < 3; ++i) {
    expectedLabels[i]->move(places[i]);
    actualLabels[i]->move(places[i]);
    expectedLabels[i]->resize(expectedLabels[i]->sizeHint() + QSize(20, 4));
    actualLabels[i]->resize(actualLabels[i]->sizeHint() + QSize(20, 4));
    EXPECT_EQ(actualLabels[i]->sizeHint(), expectedLabels[i]->sizeHint()) << i;
  }
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent));
}

// Counts the paint events of a widget.
struct TPaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(Edit, LooksLikeAQLineEditAndRepaintsWithoutItsContainer) {
  auto expectedParent = Parent();
  expectedParent->setPalette(QPalette());
  auto* expected = new QLineEdit(QStringLiteral("45"), expectedParent.get());
  auto actualParent = Parent();
  actualParent->setPalette(QPalette());
  auto* actual = new TEdit(QStringLiteral("45"), actualParent.get());
  for (QLineEdit* edit : {expected, static_cast<QLineEdit*>(actual)}) {
    edit->setGeometry(80, 10, 33, 20);
    edit->setFocusPolicy(Qt::NoFocus);  // the window shown last would focus its box
  }
  for (QWidget* parent : {expectedParent.get(), actualParent.get()}) {
    parent->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent));
  }
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent));

  TPaintCounter parentPaints;
  actualParent->installEventFilter(&parentPaints);
  actual->setText(QStringLiteral("-10.0"));
  QCoreApplication::processEvents();
  EXPECT_EQ(parentPaints.paints, 0) << "the box counts as opaque";
  expected->setText(QStringLiteral("-10.0"));
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent));

  // Each look of the panel is drawn once and kept: a kept look must never stand in for
  // another state or palette.
  for (QLineEdit* edit : {expected, static_cast<QLineEdit*>(actual)}) {
    edit->setReadOnly(true);
    edit->setEnabled(false);
  }
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << "disabled";
  for (QLineEdit* edit : {expected, static_cast<QLineEdit*>(actual)}) edit->setEnabled(true);
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << "enabled again";
  for (QLineEdit* edit : {expected, static_cast<QLineEdit*>(actual)}) {
    QPalette yellow = edit->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    edit->setPalette(yellow);
  }
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << "another field colour";
  for (QLineEdit* edit : {expected, static_cast<QLineEdit*>(actual)}) edit->resize(50, 24);
  EXPECT_TRUE(Grab(*actualParent) == Grab(*expectedParent)) << "another size";
}

// The reference for TGroupBox: the same look as a style sheet on a QGroupBox. Widgets under
// a style sheet take their font from it, not from their parent, so it names the font too.
const char* const kReferenceLook =
    "* { font-family: \"IPAPGothic\"; font-size: 12px; }"
    "QGroupBox { border: 2px groove palette(mid); margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 7px; padding: 0px 1px; background-color: palette(window); }";

// A group box with a read-out inside and one that reaches over its right-hand frame: a
// TGroupBox, or the reference QGroupBox.
struct TBoxScene {
  std::unique_ptr<QWidget> parent = Parent();
  QGroupBox* box = nullptr;
  QLabel* inside = nullptr;
  QLabel* overFrame = nullptr;

  template <class TBox, class TText>
  static std::unique_ptr<TBoxScene> Make(const QString& title = QStringLiteral("補正後")) {
    auto scene = std::make_unique<TBoxScene>();
    scene->parent->resize(200, 120);
    scene->parent->setPalette(QPalette());  // in the window's own colours, as the window is
    scene->box = new TBox(title, scene->parent.get());
    if constexpr (std::is_same_v<TBox, QGroupBox>) scene->box->setStyleSheet(kReferenceLook);
    scene->box->setGeometry(10, 8, 137, 89);
    scene->inside = new TText(QStringLiteral("dGR = 9.879  μm"), scene->box);
    scene->inside->move(16, 16);
    scene->overFrame = new TText(QStringLiteral("G - R = -1242.27 μm"), scene->box);
    scene->overFrame->move(16, 48);
    scene->parent->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(scene->parent.get()));
    // As a pass writes read-outs.
    for (QLabel* label : {scene->inside, scene->overFrame}) {
      if (auto* own = dynamic_cast<TLabel*>(label))
        own->SetCaption(label->text());
      else
        label->adjustSize();
    }
    QCoreApplication::processEvents();
    return scene;
  }
};

TEST(BoxLook, LabelFillsItsBackgroundOnlyWhereTheWindowColourLiesBehind) {
  const auto expected = TBoxScene::Make<QGroupBox, QLabel>();
  const auto actual = TBoxScene::Make<TGroupBox, TLabel>();
  ASSERT_GT(actual->overFrame->geometry().right(), actual->box->contentsRect().right());
  EXPECT_TRUE(actual->inside->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(actual->overFrame->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_TRUE(Grab(*actual->parent) == Grab(*expected->parent));

  // New texts, as the next pass writes them.
  for (TBoxScene* scene : {expected.get(), actual.get()}) {
    scene->inside->setText(QStringLiteral("dGR = 10.5  μm"));
    scene->inside->adjustSize();
  }
  EXPECT_TRUE(Grab(*actual->parent) == Grab(*expected->parent));
}

TEST(BoxLook, KnowsWhereItPaintsNothing) {
  // A 137 x 89 box: frame lines from y = 6 to 88 (two pixels wide), the caption's cell at
  // the top left.
  TGroupBox box(QStringLiteral("補正後"));
  box.setFont(WindowFont());
  box.resize(137, 89);
  struct Case {
    QRect rect;
    bool nothing;
  };
  const Case cases[] = {
      {QRect(16, 16, 94, 13), true},    // a read-out inside
      {QRect(2, 13, 133, 74), true},    // the inside of the frame below the caption's cell
      {QRect(2, 8, 133, 79), false},    // the whole inside, up into the caption's cell
      {QRect(1, 8, 10, 10), false},     // the inner left line
      {QRect(2, 8, 134, 10), false},    // reaching the inner right line
      {QRect(16, 80, 20, 8), false},    // the inner bottom line
      {QRect(16, 48, 140, 13), false},  // over the right-hand frame and beyond
      {QRect(10, 0, 20, 5), false},     // the caption
      {QRect(120, 0, 10, 5), true},     // above the top line, right of the caption
      {QRect(140, 20, 10, 10), true},   // outside the box
      {QRect(0, 0, 137, 89), false},    // everything
  };
  for (const Case& c : cases) {
    EXPECT_EQ(box.PaintsNothingIn(c.rect), c.nothing)
        << c.rect.x() << ", " << c.rect.y() << " " << c.rect.width() << " x " << c.rect.height();
  }
}

// Every caption of the window, and repaints of a part inside the box, of parts over its
// frame and caption, and of the whole, as the window system and the children's updates ask
// for them: the pixels of the reference, also after a new size and when disabled.
class BoxCaption : public testing::TestWithParam<const char*> {};

TEST_P(BoxCaption, LooksLikeTheReferenceForEveryRepaintedPart) {
  const QString title = QString::fromUtf8(GetParam());
  const auto expected = TBoxScene::Make<QGroupBox, QLabel>(title);
  const auto actual = TBoxScene::Make<TGroupBox, QLabel>(title);
  const QRegion parts[] = {QRect(20, 20, 40, 20), QRect(0, 30, 20, 20), QRect(60, 0, 30, 20),
                           QRect(40, 0, 90, 12), QRect(0, 0, 177, 457)};
  auto expectSamePixels = [&](const char* when) {
    for (const QRegion& part : parts) {
      QImage want(expected->box->size(), QImage::Format_RGB32);
      QImage got(actual->box->size(), QImage::Format_RGB32);
      want.fill(Qt::magenta);
      got.fill(Qt::magenta);
      expected->box->render(&want, QPoint(), part, QWidget::DrawChildren);
      actual->box->render(&got, QPoint(), part, QWidget::DrawChildren);
      EXPECT_TRUE(got == want) << when << ": part at " << part.boundingRect().x() << ", "
                               << part.boundingRect().y();
    }
  };
  expectSamePixels("at first");
  for (TBoxScene* scene : {expected.get(), actual.get()}) scene->box->resize(177, 457);
  expectSamePixels("resized");
  for (TBoxScene* scene : {expected.get(), actual.get()}) scene->box->setEnabled(false);
  expectSamePixels("disabled");
}

INSTANTIATE_TEST_SUITE_P(WindowCaptions, BoxCaption,
                         testing::Values("大気系", "光学系", "現象", "補正前", "プリズム効果",
                                         "補正後", ""));

}  // namespace
}  // namespace orvelan
