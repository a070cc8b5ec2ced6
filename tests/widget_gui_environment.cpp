// Widget tests need a QApplication.
#include <QApplication>

#include "qt_test_environment.h"

[[maybe_unused]] static testing::Environment* const kWidgetEnvironment =
    testing::AddGlobalTestEnvironment(new orvelan::test::TQtEnvironment<QApplication>);
