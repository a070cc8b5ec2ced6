// The program: one main window and the message loop.
#include <QApplication>

#include "ui/Main.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orvelan::TForm1 form;
  form.show();
  return application.exec();
}
