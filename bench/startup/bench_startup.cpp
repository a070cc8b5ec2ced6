// Start-up of the real program on an X server: the time from exec until its first window is
// mapped, and the peak resident memory of the whole run, beside the minimal Qt main window.
// Each run starts the program in a fresh process, waits for its window, closes it by the
// menu (Alt+F, X) and reaps it. Needs an X server without a window manager in DISPLAY;
// bench/startup/startup.sh starts one and runs these with the repetitions it compares.
#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// An X connection that watches windows being mapped on the root window.
class TMapWatcher {
 public:
  TMapWatcher() : FConnection(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(FConnection)) throw std::runtime_error("cannot open the display");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(FConnection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(FConnection);
  }
  ~TMapWatcher() { xcb_disconnect(FConnection); }
  TMapWatcher(const TMapWatcher&) = delete;
  TMapWatcher& operator=(const TMapWatcher&) = delete;

  // Waits for the next window mapped on the root whose override-redirect flag is as given
  // (false: an ordinary top-level window; true: a popup such as a menu). Returns its id, or 0
  // when nothing came within the timeout.
  xcb_window_t WaitForMap(bool overrideRedirect, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(FConnection)) {
        xcb_window_t mapped = 0;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
          const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
          if (static_cast<bool>(map->override_redirect) == overrideRedirect) mapped = map->window;
        }
        std::free(event);
        if (mapped != 0) return mapped;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0 || xcb_connection_has_error(FConnection)) return 0;
      pollfd fd{xcb_get_file_descriptor(FConnection), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(left.count()));
    }
  }

 private:
  xcb_connection_t* FConnection;
};

// Runs a command line through the shell and reports whether it succeeded.
bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// Waits up to `timeout` for the child to end; returns its peak resident set in KiB, or -1
// if it had to be killed.
long Reap(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (Clock::now() > deadline) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      return -1;
    }
    usleep(2000);
  }
  return usage.ru_maxrss;
}

void BM_Startup(benchmark::State& state, const char* program) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs an X server in DISPLAY: run bench/startup/startup.sh");
    return;
  }
  // The settings log of each run lands here, not in the caller's directory.
  const std::filesystem::path runDir =
      std::filesystem::temp_directory_path() / ("orvelan-startup-" + std::to_string(getpid()));
  std::filesystem::create_directories(runDir);
  double rssKiB = 0;
  for (auto _ : state) {
    TMapWatcher watcher;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      if (chdir(runDir.c_str()) != 0) _exit(126);
      execl(program, program, static_cast<char*>(nullptr));
      _exit(127);
    }
    const xcb_window_t window = watcher.WaitForMap(false, std::chrono::seconds(20));
    const auto mapped = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(mapped - start).count());
    if (window == 0) {
      Reap(pid, std::chrono::milliseconds(0));
      state.SkipWithError("no window was mapped within 20 s");
      break;
    }
    // Close by the menu: Alt+F opens it (a popup is mapped), X runs Exit.
    const std::string id = std::to_string(window);
    const bool menuOpened = Shell("xdotool windowfocus --sync " + id + " key alt+f") &&
                            watcher.WaitForMap(true, std::chrono::seconds(10)) != 0;
    if (!menuOpened || !Shell("xdotool key x")) {
      Reap(pid, std::chrono::milliseconds(0));
      state.SkipWithError("the File menu did not open");
      break;
    }
    const long rss = Reap(pid, std::chrono::seconds(20));
    if (rss < 0) {
      state.SkipWithError("the program did not end after File > Exit");
      break;
    }
    rssKiB = static_cast<double>(rss);
  }
  state.counters["PeakRSS_KiB"] = rssKiB;
  std::error_code ec;
  std::filesystem::remove_all(runDir, ec);
}

// One run per repetition: the median over the repetitions is the figure to compare.
#define STARTUP_BENCHMARK(name, program)                                     \
  BENCHMARK_CAPTURE(BM_Startup, name, program)                               \
      ->Iterations(1)                                                        \
      ->Repetitions(11)                                                      \
      ->UseManualTime()                                                      \
      ->Unit(benchmark::kMillisecond)

STARTUP_BENCHMARK(orvelan, ORVELAN_PROGRAM);
STARTUP_BENCHMARK(minimal_main_window, MINIMAL_MAIN_WINDOW_PROGRAM);

}  // namespace
