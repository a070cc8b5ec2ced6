// Text on the drawing surface goes through Qt's font engine, which needs a QGuiApplication.
// This environment creates one on the offscreen platform for the whole test program.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

class TGuiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "canvas_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kGuiEnvironment =
    testing::AddGlobalTestEnvironment(new TGuiEnvironment);

}  // namespace
