#include "framework/HandlerGuard.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace orvelan {

namespace {
THandlerGuard::TPresenter& CurrentPresenter() {
  static THandlerGuard::TPresenter presenter;
  return presenter;
}

void Present(const QString& message) noexcept {
  try {
    if (const auto& presenter = CurrentPresenter())
      presenter(message);
    else
      THandlerGuard::ShowErrorBox(message);
  } catch (...) {
    // Nothing sensible is left to show a failure of the error box itself with.
  }
}
}  // namespace

void THandlerGuard::Run(const std::function<void()>& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& e) {
    Present(QString::fromUtf8(e.what()));
  } catch (...) {
    Present(QStringLiteral("Unknown exception"));
  }
}

void THandlerGuard::ShowErrorBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

THandlerGuard::TPresenter THandlerGuard::SetPresenter(TPresenter presenter) {
  return std::exchange(CurrentPresenter(), std::move(presenter));
}

}  // namespace orvelan
