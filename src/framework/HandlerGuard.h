// The one place where an exception escaping an event handler ends: it is shown in the
// standard error box and the program carries on.
#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace orvelan {

class THandlerGuard {
 public:
  // Shows the message of an exception that escaped a handler.
  using TPresenter = std::function<void(const QString& message)>;

  // Runs `handler`; an exception that escapes it is handed to the presenter, and Run returns
  // normally. A handler that finishes runs no presenter.
  static void Run(const std::function<void()>& handler) noexcept;

  // The standard error box: modal, critical icon, the message, one OK button, captioned with
  // the application's display name.
  static void ShowErrorBox(const QString& message);

  // Replaces the presenter (nullptr restores the error box) and returns the previous one.
  // Tests use this to collect messages instead of opening a modal box.
  static TPresenter SetPresenter(TPresenter presenter);
};

// Wraps a handler so that a signal or callback runs it inside the guard.
template <class F>
auto Guarded(F handler) {
  return [handler = std::move(handler)](auto&&...) { THandlerGuard::Run(handler); };
}

// Replaces the presenter for the life of a scope and restores the previous one after it.
class TScopedPresenter {
 public:
  explicit TScopedPresenter(THandlerGuard::TPresenter presenter)
      : FPrevious(THandlerGuard::SetPresenter(std::move(presenter))) {}
  ~TScopedPresenter() { THandlerGuard::SetPresenter(std::move(FPrevious)); }
  TScopedPresenter(const TScopedPresenter&) = delete;
  TScopedPresenter& operator=(const TScopedPresenter&) = delete;

 private:
  THandlerGuard::TPresenter FPrevious;
};

}  // namespace orvelan
