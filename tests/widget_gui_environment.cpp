// Widget tests need a QApplication. This environment creates one on the offscreen platform
// (unless QT_QPA_PLATFORM names another) for the whole test program.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace {

class TWidgetEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvelan"));
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "widget_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kWidgetEnvironment =
    testing::AddGlobalTestEnvironment(new TWidgetEnvironment);

}  // namespace
