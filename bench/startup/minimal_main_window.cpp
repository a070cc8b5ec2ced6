// The yardstick for Orvelan's start-up: the least a Qt 6 main window with a menu can be. It
// has the same client size and the same File > Exit command (Alt+F, X), so that both
// programs are started, mapped and closed the same way.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  auto* client = new QWidget(&window);
  client->setFixedSize(665, 481);
  window.setCentralWidget(client);
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  QObject::connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, &window,
                   &QWidget::close);
  window.show();
  return application.exec();
}
