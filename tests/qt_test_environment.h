// A Qt application object for a whole test program, on the offscreen platform unless
// QT_QPA_PLATFORM names another. Text goes through Qt's font engine and widgets need an
// application; each test program registers one environment with the application class it
// needs (QGuiApplication without widgets, QApplication with them).
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <cstdlib>
#include <memory>

namespace orvelan::test {

template <class TApplication>
class TQtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = std::make_unique<TApplication>(argc_, argv_);
    // The title the program takes from its file name; error and About boxes show it.
    TApplication::setApplicationDisplayName(QStringLiteral("Orvelan"));
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "orvelan_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<TApplication> app_;
};

}  // namespace orvelan::test
