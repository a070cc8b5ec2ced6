#include "ui/Startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

#include "framework/HandlerGuard.h"
#include "ui/Main.h"

namespace orvelan {

TShowCommand ShowCommandFromArguments(const QStringList& arguments) {
  TShowCommand show = TShowCommand::Normal;
  for (qsizetype i = 1; i < arguments.size(); ++i) {  // [0] is the program itself
    if (arguments[i] == QLatin1String("-iconic")) show = TShowCommand::Minimized;
    if (arguments[i] == QLatin1String("-maximized")) show = TShowCommand::Maximized;
  }
  return show;
}

QString ApplicationTitle(const QString& programFile) {
  const QString name = QFileInfo(programFile).fileName();
  QString stem = name.left(name.indexOf(QLatin1Char('.')));  // whole name if no stop
  if (stem.isEmpty()) return stem;
  return stem.left(1).toUpper() + stem.mid(1).toLower();
}

void ShowMainWindow(QWidget& window, TShowCommand show) {
  switch (show) {
    case TShowCommand::Maximized:
      window.showMaximized();
      break;
    case TShowCommand::Minimized:
      window.showMinimized();
      break;
    case TShowCommand::Normal:
      window.show();
      break;
  }
}

int RunApplication(const TMainWindowFactory& createMainWindow, TShowCommand show) {
  // The guard turns an exception of the construction into the standard error box. Handlers
  // run inside guards of their own, so nothing reaches this one while the loop runs.
  THandlerGuard::Run([&] {
    const std::unique_ptr<QWidget> window = createMainWindow();
    ShowMainWindow(*window, show);
    QApplication::exec();  // ends when the main window, the last one, closes
  });
  return 0;
}

int OrvelanMain(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(ApplicationTitle(QApplication::applicationFilePath()));
  return RunApplication([] { return std::make_unique<TForm1>(); },
                        ShowCommandFromArguments(QApplication::arguments()));
}

}  // namespace orvelan
