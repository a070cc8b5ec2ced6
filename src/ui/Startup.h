// Start-up: the application's title, the show command of the start and the steps that
// create the main window, show it and run the message loop.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace orvelan {

// How the main window is first shown.
enum class TShowCommand { Normal, Maximized, Minimized };

// The show command of a start. On X11 a launcher asks for it with the X toolkit options
// "-iconic" (start minimised) and "-maximized" (start maximised); of several, the last one
// counts. Every other argument is none of the program's business and is ignored.
TShowCommand ShowCommandFromArguments(const QStringList& arguments);

// The application's title, formed from the program file's name: the part of the file name
// before its first full stop, the first letter upper-case and the others lower-case
// ("/usr/bin/orvelan" gives "Orvelan").
QString ApplicationTitle(const QString& programFile);

// Shows the main window for the first time as the show command asks.
void ShowMainWindow(QWidget& window, TShowCommand show);

// Creates the main window.
using TMainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

// Creates the main window, shows it and runs the message loop of the existing application
// until the main window closes. An exception while the window is created or shown is shown
// in the handler guard's error box; no window is shown then. Returns 0 in every case.
int RunApplication(const TMainWindowFactory& createMainWindow, TShowCommand show);

// The program: initialises the application with its title, then RunApplication with the
// main window TForm1. Returns 0.
int OrvelanMain(int argc, char* argv[]);

}  // namespace orvelan
