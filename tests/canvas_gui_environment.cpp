// Drawing tests: text on the drawing surface needs a QGuiApplication, and nothing more.
#include <QGuiApplication>

#include "qt_test_environment.h"

[[maybe_unused]] static testing::Environment* const kGuiEnvironment =
    testing::AddGlobalTestEnvironment(new orvelan::test::TQtEnvironment<QGuiApplication>);
