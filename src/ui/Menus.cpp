// The main menu of TForm1 and its two commands.
#include "ui/Menus.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include "framework/HandlerGuard.h"
#include "ui/Layout.h"
#include "ui/Main.h"

namespace orvelan {

QString AboutText() {
  return QString(18, QLatin1Char(' ')) + QStringLiteral("Orvelan\n") +
         QString(20, QLatin1Char(' ')) + QStringLiteral("Ver. 2.01b\n") + QStringLiteral("\n") +
         QStringLiteral("  Copyright (C) 2026 The Orvelan authors");
}

namespace {
// The message box sizes itself to its text only as it is shown, after the dialog has placed
// it by its earlier size; this one centres itself again once its size is final, before it is
// mapped.
class TAboutBox : public QMessageBox {
 public:
  TAboutBox()
      : QMessageBox(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), AboutText(),
                    QMessageBox::Ok) {
    setTextFormat(Qt::PlainText);  // the leading spaces centre the first two lines
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
};
}  // namespace

void ShowAboutBox() {
  TAboutBox box;  // no parent: centred on the screen, not over the window
  box.exec();
}

void TForm1::BuildMainMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  File1 = MainMenu1->addMenu(Text(kFileMenuCaption));
  File1->setObjectName(QStringLiteral("File1"));
  Exit1 = File1->addAction(Text(kExitCaption));
  Exit1->setObjectName(QStringLiteral("Exit1"));
  V1 = MainMenu1->addMenu(Text(kVersionMenuCaption));
  V1->setObjectName(QStringLiteral("V1"));
  I1 = V1->addAction(Text(kAboutCaption));
  I1->setObjectName(QStringLiteral("I1"));
  // A drop-down menu is a window of its own and does not inherit the window's font.
  for (QMenu* menu : {File1, V1}) menu->setFont(font());
  connect(Exit1, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));
  connect(I1, &QAction::triggered, this, Guarded([this] { I1Click(); }));
}

// The same close as the close box: FormClose writes the log, then the application ends.
void TForm1::Exit1Click() { close(); }

void TForm1::I1Click() { ShowAboutBox(); }

}  // namespace orvelan
