// Menus, About box, the settings log at close and the start-up steps, on the offscreen
// platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/Main.h"
#include "ui/Menus.h"
#include "ui/SettingsLog.h"
#include "ui/Startup.h"
#include "ui_test_support.h"

namespace fs = std::filesystem;
using namespace orvelan;
using namespace orvelan::testing_support;

namespace {

const std::string kDefaultLog =
    "Altitude  45\r\nElevation 0\r\nSize      30\r\nRed       660\r\nGreen     550\r\n"
    "Blue      440\r\nFL        6000\r\nAngle     0\r\nPrism     50\r\nShift     0\r\nType      1\r\n";

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the test in a fresh temporary working directory and returns to the old one after.
class TempCwd {
 public:
  TempCwd() : FOld(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "orvelan-ui-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Dir = pattern;
    fs::current_path(Dir);
  }
  ~TempCwd() {
    std::error_code ec;
    fs::current_path(FOld, ec);
    fs::remove_all(Dir, ec);
  }
  fs::path Dir;

 private:
  fs::path FOld;
};

bool AnyTopLevelVisible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) return true;
  return false;
}

// What the modal box showed, read while it was open.
struct TBoxSeen {
  bool Opened = false;
  QString Title, Text;
  QMessageBox::Icon Icon = QMessageBox::Critical;
  Qt::TextFormat Format = Qt::AutoText;
  QList<QAbstractButton*>::size_type Buttons = 0;
  QMessageBox::StandardButtons Standard;
  QPoint Centre;
};

// Arms a one-shot that reads the next modal message box and presses its OK button.
void ReadAndCloseNextBox(TBoxSeen& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.Opened = true;
    seen.Title = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    seen.Format = box->textFormat();
    seen.Buttons = box->buttons().size();
    seen.Standard = box->standardButtons();
    seen.Centre = box->frameGeometry().center();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
  });
}

// --- Menus --------------------------------------------------------------------------------------

TEST(Menus, TwoMenusWithOneCommandEach) {
  TForm1 form;
  ASSERT_NE(form.MainMenu1, nullptr);
  ASSERT_EQ(form.MainMenu1->actions().size(), 2);
  EXPECT_EQ(form.MainMenu1->actions()[0], form.File1->menuAction());
  EXPECT_EQ(form.MainMenu1->actions()[1], form.V1->menuAction());
  EXPECT_EQ(form.File1->title(), QString::fromUtf8("ファイル(&F)"));
  EXPECT_EQ(form.V1->title(), QString::fromUtf8("バージョン(&V)"));
  ASSERT_EQ(form.File1->actions().size(), 1);
  EXPECT_EQ(form.File1->actions()[0], form.Exit1);
  EXPECT_EQ(form.Exit1->text(), QString::fromUtf8("終了(&X)"));
  ASSERT_EQ(form.V1->actions().size(), 1);
  EXPECT_EQ(form.V1->actions()[0], form.I1);
  EXPECT_EQ(form.I1->text(), QString::fromUtf8("情報(&I)"));
  EXPECT_EQ(form.menuBar(), form.MainMenu1);
}

TEST(Menus, TheWindowIsThePanelBelowTheMenuBar) {
  TForm1 form;
  form.show();
  EXPECT_EQ(form.width(), 665);
  EXPECT_EQ(form.height(), 481 + form.MainMenu1->height());
}

// --- About box ----------------------------------------------------------------------------------

TEST(AboutBox, PlainCentredFourLines) {
  TForm1 form;
  form.show();
  TBoxSeen seen;
  ReadAndCloseNextBox(seen);
  form.I1->trigger();
  ASSERT_TRUE(seen.Opened);
  EXPECT_EQ(seen.Title, QStringLiteral("Orvelan"));
  EXPECT_EQ(seen.Text.toStdString(),
            "                  Orvelan\n"
            "                    Ver. 2.01b\n"
            "\n"
            "  Copyright (C) 2026 The Orvelan authors");
  EXPECT_EQ(seen.Icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.Format, Qt::PlainText);  // leading spaces kept, nothing read as markup
  EXPECT_EQ(seen.Buttons, 1);
  EXPECT_EQ(seen.Standard, QMessageBox::Ok);
  const QPoint screenCentre = form.screen()->availableGeometry().center();
  EXPECT_LE((seen.Centre - screenCentre).manhattanLength(), 2)
      << "box centred at " << seen.Centre.x() << "," << seen.Centre.y();
}

TEST(AboutBox, OpensAnyNumberOfTimesAndChangesNothing) {
  TempCwd cwd;
  TForm1 form;
  form.show();
  ClickArrow(form.UpDown8, TUDBtnType::btPrev, 3);  // away from the start values
  const TSettings settings = form.ReadSettings();
  const TReadouts readouts = ShownReadouts(form);
  const auto pictures = ShownPictures(form);
  TStepLog steps(form);
  TMessageLog messages;
  for (int i = 0; i < 3; ++i) {
    TBoxSeen seen;
    ReadAndCloseNextBox(seen);
    form.I1->trigger();
    EXPECT_TRUE(seen.Opened) << "opening " << i + 1;
  }
  EXPECT_TRUE(steps.Steps.empty());
  EXPECT_TRUE(messages.Messages.empty());
  EXPECT_EQ(form.ReadSettings(), settings);
  EXPECT_EQ(ShownReadouts(form), readouts);
  EXPECT_EQ(ShownPictures(form), pictures);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(fs::exists(cwd.Dir / "Orvelan.log"));
}

// --- Closing writes the log ---------------------------------------------------------------------

struct TCloseWay {
  const char* Name;
  void (*Close)(TForm1&);
  friend void PrintTo(const TCloseWay& c, std::ostream* os) { *os << c.Name; }
};

class CloseWrites : public ::testing::TestWithParam<TCloseWay> {};

TEST_P(CloseWrites, TheLogOfTheCurrentSettings) {
  TempCwd cwd;
  TForm1 form;
  form.show();
  ClickArrow(form.UpDown1, TUDBtnType::btNext);
  ClickArrow(form.UpDown8, TUDBtnType::btPrev, 5);
  GetParam().Close(form);
  EXPECT_FALSE(form.isVisible());
  std::string expected = kDefaultLog;
  expected.replace(expected.find("Altitude  45"), 12, "Altitude  46");
  expected.replace(expected.find("Angle     0"), 11, "Angle     -5");
  EXPECT_EQ(ReadBytes(cwd.Dir / "Orvelan.log"), expected);
}

TEST_P(CloseWrites, TheStartValuesIn155Bytes) {
  TempCwd cwd;
  TForm1 form;
  form.show();
  GetParam().Close(form);
  EXPECT_EQ(ReadBytes(cwd.Dir / "Orvelan.log"), kDefaultLog);
  EXPECT_EQ(fs::file_size(cwd.Dir / "Orvelan.log"), 155u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CloseWrites,
    ::testing::Values(TCloseWay{"Exit1", [](TForm1& f) { f.Exit1->trigger(); }},
                      TCloseWay{"CloseBox", [](TForm1& f) { f.close(); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SettingsLogAtClose, LandsInTheDirectoryCurrentAtClose) {
  TempCwd start;
  TForm1 form;
  form.show();
  TempCwd atClose;
  form.Exit1->trigger();
  EXPECT_TRUE(fs::exists(atClose.Dir / "Orvelan.log"));
  EXPECT_FALSE(fs::exists(start.Dir / "Orvelan.log"));
}

TEST(SettingsLogAtClose, ARefusedLogClosesQuietly) {
  TempCwd cwd;
  fs::create_directory(cwd.Dir / "Orvelan.log");
  TMessageLog messages;
  TForm1 form;
  form.show();
  form.Exit1->trigger();
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(messages.Messages.empty());
}

TEST(SettingsLogAtClose, ASecondStartIgnoresTheLog) {
  TempCwd cwd;
  {
    TForm1 first;
    first.show();
    ClickArrow(first.UpDown2, TUDBtnType::btNext, 4);
    first.close();
  }
  ASSERT_NE(ReadBytes(cwd.Dir / "Orvelan.log").find("Elevation 400\r\n"), std::string::npos);
  TForm1 second;
  EXPECT_EQ(second.ReadSettings(), TSettings{});
  EXPECT_EQ(second.Edit2->text(), QStringLiteral("0"));
}

// --- Start-up -----------------------------------------------------------------------------------

TEST(Startup, AFailedConstructionShowsTheErrorAndEndsWithZero) {
  TempCwd cwd;
  TMessageLog messages;
  const int rc = RunApplication(
      []() -> std::unique_ptr<QWidget> { throw std::runtime_error("layout broken"); },
      TShowCommand::Normal);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(messages.Messages, std::vector<std::string>{"layout broken"});
  EXPECT_FALSE(AnyTopLevelVisible());
  EXPECT_FALSE(fs::exists(cwd.Dir / "Orvelan.log"));
}

TEST(Startup, AWindowDroppedBeforeItIsShownWritesNoLog) {
  // The construction fails after the controls exist: the window goes without being closed.
  TempCwd cwd;
  TMessageLog messages;
  const int rc = RunApplication(
      []() -> std::unique_ptr<QWidget> {
        auto form = std::make_unique<TForm1>();
        throw std::runtime_error("late failure");
      },
      TShowCommand::Normal);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(messages.Messages, std::vector<std::string>{"late failure"});
  EXPECT_FALSE(AnyTopLevelVisible());
  EXPECT_FALSE(fs::exists(cwd.Dir / "Orvelan.log"));
}

struct TStartCase {
  const char* Name;
  TShowCommand Show;
  Qt::WindowStates Expected;
  friend void PrintTo(const TStartCase& c, std::ostream* os) { *os << c.Name; }
};

class StartShows : public ::testing::TestWithParam<TStartCase> {};

// Records the window's state as it is first shown (a platform may turn a maximised request
// down afterwards for a window of fixed size; the request is what start-up controls).
class TFirstShowState : public QObject {
 public:
  std::optional<Qt::WindowStates> State;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !State)
      State = static_cast<QWidget*>(watched)->windowState();
    return false;
  }
};

TEST_P(StartShows, TheWindowAsAskedThenEndsByExitWithZero) {
  TempCwd cwd;
  TFirstShowState firstShow;
  bool visible = false;
  const int rc = RunApplication(
      [&]() -> std::unique_ptr<QWidget> {
        auto form = std::make_unique<TForm1>();
        form->installEventFilter(&firstShow);
        QTimer::singleShot(0, form.get(), [&, f = form.get()] {
          visible = f->isVisible();
          f->Exit1->trigger();
        });
        return form;
      },
      GetParam().Show);
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(visible);
  ASSERT_TRUE(firstShow.State.has_value());
  EXPECT_EQ(*firstShow.State, GetParam().Expected);
  EXPECT_EQ(ReadBytes(cwd.Dir / "Orvelan.log"), kDefaultLog);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StartShows,
    ::testing::Values(TStartCase{"Normal", TShowCommand::Normal, Qt::WindowNoState},
                      TStartCase{"Maximized", TShowCommand::Maximized, Qt::WindowMaximized},
                      TStartCase{"Minimized", TShowCommand::Minimized, Qt::WindowMinimized}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Startup, ShowCommandFromTheToolkitOptions) {
  const struct {
    QStringList Args;
    TShowCommand Expected;
  } cases[] = {
      {{"orvelan"}, TShowCommand::Normal},
      {{"orvelan", "-iconic"}, TShowCommand::Minimized},
      {{"orvelan", "-maximized"}, TShowCommand::Maximized},
      {{"orvelan", "-iconic", "-maximized"}, TShowCommand::Maximized},
      {{"orvelan", "-maximized", "-iconic"}, TShowCommand::Minimized},
      {{"orvelan", "--iconic", "maximized", "file.txt"}, TShowCommand::Normal},
      {{"-iconic"}, TShowCommand::Normal},  // the program's own name is not an option
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShowCommandFromArguments(c.Args), c.Expected) << c.Args.join(' ').toStdString();
}

TEST(Startup, TitleFromTheProgramFile) {
  const struct {
    const char* File;
    const char* Title;
  } cases[] = {
      {"/usr/bin/orvelan", "Orvelan"},  {"orvelan", "Orvelan"},
      {"ORVELAN.EXE", "Orvelan"},        {"/opt/x.y/orVeLan.tar.gz", "Orvelan"},
      {"/tmp/build/o", "O"},             {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ApplicationTitle(QString::fromUtf8(c.File)).toStdString(), c.Title) << c.File;
}

}  // namespace
