// The settings log writer: exact bytes, truncation, and silent failure on every kind of
// refusal (the program must end normally whatever the disk says).
#include "ui/SettingsLog.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>

namespace fs = std::filesystem;
using orvelan::TPrismType;
using orvelan::TSettings;

namespace {

// Written out by hand, not formed from the key table, so a wrong key or a wrong order shows.
constexpr std::string_view kDefaultLog =
    "Altitude  45\r\n"
    "Elevation 0\r\n"
    "Size      30\r\n"
    "Red       660\r\n"
    "Green     550\r\n"
    "Blue      440\r\n"
    "FL        6000\r\n"
    "Angle     0\r\n"
    "Prism     50\r\n"
    "Shift     0\r\n"
    "Type      1\r\n";

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class SettingsLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "orvelan-log-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern;
    // Others may enter, so a child that gave up root can still reach the fixtures.
    fs::permissions(Dir, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    Log = Dir / "Orvelan.log";
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(Dir, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(Dir, ec);
  }

  struct TChildResult {
    int ExitCode = -1;  // -1: killed by a signal
    std::string Stderr;
  };
  static constexpr int kCannotRefuse = 77;

  // Runs `body` in a child process and reports how it ended and what it wrote to stderr: a
  // crash, an uncaught exception or a message shows there. With `asUser`, a root child first
  // becomes an ordinary user, since permission bits do not stop root. When `mustBeRefused`
  // is still writable for the child, it ends with kCannotRefuse instead of running `body`.
  TChildResult RunInChild(const std::function<void()>& body, bool asUser,
                          const fs::path& mustBeRefused = {}) {
    const fs::path errFile = Dir.parent_path() / (Dir.filename().string() + ".stderr");
    const pid_t pid = fork();
    if (pid == 0) {
      const int fd = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0 || dup2(fd, STDERR_FILENO) < 0) _exit(70);
      if (asUser && geteuid() == 0) {
        constexpr uid_t kNobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
          _exit(kCannotRefuse);
      }
      if (!mustBeRefused.empty() && access(mustBeRefused.c_str(), W_OK) == 0) _exit(kCannotRefuse);
      body();
      _exit(0);
    }
    TChildResult result;
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return result;
    if (WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
    result.Stderr = ReadBytes(errFile);
    std::error_code ec;
    fs::remove(errFile, ec);
    return result;
  }

  fs::path Dir;
  fs::path Log;
};

// --- Content ---------------------------------------------------------------------------------

TEST_F(SettingsLogTest, DefaultsGiveTheElevenLinesIn155Bytes) {
  orvelan::WriteSettingsLog(TSettings{}, Log);
  const std::string bytes = ReadBytes(Log);
  EXPECT_EQ(bytes, kDefaultLog);
  EXPECT_EQ(bytes.size(), 155u);
  EXPECT_EQ(orvelan::SettingsLogText(TSettings{}), kDefaultLog);
}

struct TLineCase {
  const char* Name;
  TSettings Settings;
  std::string_view Replaced;     // the default line that changes
  std::string_view Replacement;  // what stands there instead
  friend void PrintTo(const TLineCase& c, std::ostream* os) { *os << c.Name; }
};

TSettings With(int16_t TSettings::*field, int16_t value) {
  TSettings s;
  s.*field = value;
  return s;
}

TSettings WithType(TPrismType type) {
  TSettings s;
  s.PrismType = type;
  return s;
}

TSettings AllAtMinimum() {
  TSettings s;
  for (const auto& row : orvelan::kNumericSettings) s.*row.Field = row.Minimum;
  return s;
}

class SettingsLogLineTest : public SettingsLogTest, public ::testing::WithParamInterface<TLineCase> {};

TEST_P(SettingsLogLineTest, OnlyTheChangedLineDiffers) {
  const TLineCase& c = GetParam();
  std::string expected(kDefaultLog);
  const auto at = expected.find(c.Replaced);
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, c.Replaced.size(), c.Replacement);

  orvelan::WriteSettingsLog(c.Settings, Log);
  EXPECT_EQ(ReadBytes(Log), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsLogLineTest,
    ::testing::Values(
        TLineCase{"Elevation10000", With(&TSettings::Elevation, 10000), "Elevation 0\r\n",
                  "Elevation 10000\r\n"},
        TLineCase{"PrismAngleMinus100", With(&TSettings::PrismAngle, -100), "Angle     0\r\n",
                  "Angle     -100\r\n"},
        TLineCase{"PrismAngleMinus5", With(&TSettings::PrismAngle, -5), "Angle     0\r\n",
                  "Angle     -5\r\n"},
        TLineCase{"ImageShiftMinus10", With(&TSettings::ImageShift, -10), "Shift     0\r\n",
                  "Shift     -10\r\n"},
        TLineCase{"FocalLength30000", With(&TSettings::FocalLength, 30000), "FL        6000\r\n",
                  "FL        30000\r\n"},
        TLineCase{"Hybrid", WithType(TPrismType::Hybrid), "Type      1\r\n", "Type      2\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SettingsLogTest, EveryFieldLandsOnItsOwnLine) {
  // All ten values differ from the defaults and from one another's, so a swapped field shows.
  orvelan::WriteSettingsLog(AllAtMinimum(), Log);
  EXPECT_EQ(ReadBytes(Log),
            "Altitude  5\r\nElevation 0\r\nSize      1\r\nRed       300\r\nGreen     300\r\n"
            "Blue      300\r\nFL        1000\r\nAngle     -100\r\nPrism     0\r\nShift     -10\r\n"
            "Type      1\r\n");
}

TEST_F(SettingsLogTest, TheGlassIsNotLogged) {
  TSettings sf2;
  sf2.Glass = orvelan::TGlass::SF2;
  EXPECT_EQ(orvelan::SettingsLogText(sf2), kDefaultLog);
}

// --- Replacing an old file --------------------------------------------------------------------

TEST_F(SettingsLogTest, ALongerOldFileLeavesNoTail) {
  WriteBytes(Log, std::string(4000, 'x') + "\r\nold tail\r\n");
  orvelan::WriteSettingsLog(TSettings{}, Log);
  EXPECT_EQ(ReadBytes(Log), kDefaultLog);
}

TEST_F(SettingsLogTest, AShorterOldFileIsReplacedToo) {
  orvelan::WriteSettingsLog(With(&TSettings::Elevation, 10000), Log);
  orvelan::WriteSettingsLog(TSettings{}, Log);
  EXPECT_EQ(ReadBytes(Log), kDefaultLog);
}

// --- Silent failures --------------------------------------------------------------------------

struct TRefusalCase {
  const char* Name;
  bool NeedsPermissions;  // relies on permission bits (which do not stop root)
  // Prepares the refusal in `dir` for the log file `log`; returns the path that must be
  // refused to the writer (empty: nothing to check beforehand).
  fs::path (*Prepare)(const fs::path& dir, const fs::path& log);
  // Checks what is left after the attempt.
  void (*Check)(const fs::path& dir, const fs::path& log);
  friend void PrintTo(const TRefusalCase& c, std::ostream* os) { *os << c.Name; }
};

class SettingsLogRefusalTest : public SettingsLogTest,
                               public ::testing::WithParamInterface<TRefusalCase> {};

TEST_P(SettingsLogRefusalTest, EndsNormallyWithoutAWord) {
  const TRefusalCase& c = GetParam();
  const fs::path refused = c.Prepare(Dir, Log);
  const TChildResult r =
      RunInChild([&] { orvelan::WriteSettingsLog(TSettings{}, Log); }, c.NeedsPermissions, refused);
  if (r.ExitCode == kCannotRefuse)
    GTEST_SKIP() << "this user may write " << refused << " whatever its permission bits "
                 << "(root that cannot give up its rights), so the refusal cannot be staged";
  EXPECT_EQ(r.ExitCode, 0) << "the writer crashed or threw";
  EXPECT_EQ(r.Stderr, "") << "the writer said something";
  c.Check(Dir, Log);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SettingsLogRefusalTest,
    ::testing::Values(
        TRefusalCase{"ReadOnlyDirectory", true,
                     [](const fs::path& dir, const fs::path&) {
                       fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::group_exec | fs::perms::others_exec);
                       return dir;
                     },
                     [](const fs::path&, const fs::path& log) { EXPECT_FALSE(fs::exists(log)); }},
        TRefusalCase{"ReadOnlyFile", true,
                     [](const fs::path&, const fs::path& log) {
                       WriteBytes(log, "kept\r\n");
                       fs::permissions(log, fs::perms::owner_read | fs::perms::group_read |
                                                fs::perms::others_read);
                       return log;
                     },
                     [](const fs::path&, const fs::path& log) {
                       EXPECT_EQ(ReadBytes(log), "kept\r\n");
                     }},
        TRefusalCase{"DirectoryOfThatName", false,
                     [](const fs::path&, const fs::path& log) {
                       fs::create_directory(log);
                       return fs::path{};
                     },
                     [](const fs::path&, const fs::path& log) {
                       EXPECT_TRUE(fs::is_directory(log));
                       EXPECT_TRUE(fs::is_empty(log));
                     }},
        // /dev/full accepts the open and refuses every write with "no space left on device".
        TRefusalCase{"FullDisk", false,
                     [](const fs::path&, const fs::path& log) {
                       fs::create_symlink("/dev/full", log);
                       return fs::path{};
                     },
                     [](const fs::path&, const fs::path& log) {
                       EXPECT_TRUE(fs::is_character_file(log));
                     }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SettingsLogTest, AWriteRefusedPartWayKeepsTheFinishedLines) {
  // A file size limit stops the file after 30 bytes, inside line 3, as a disk that fills up
  // would; the size limit binds root as well.
  const TChildResult r = RunInChild(
      [&] {
        signal(SIGXFSZ, SIG_IGN);  // refused writes then fail with EFBIG instead of killing
        const rlimit limit{30, 30};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(71);
        orvelan::WriteSettingsLog(TSettings{}, Log);
      },
      false);
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Stderr, "");
  const std::string bytes = ReadBytes(Log);
  EXPECT_LE(bytes.size(), 30u);
  EXPECT_EQ(bytes.substr(0, 27), "Altitude  45\r\nElevation 0\r\n");
}

}  // namespace
