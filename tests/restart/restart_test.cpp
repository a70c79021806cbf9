// The built program changing its language for real: started from another
// folder with no remembered language, it shows the chooser; the language
// picked with the keyboard and confirmed with the mouse is stored beside the
// program, and a new instance of the program comes up and ends cleanly.
//
// The X server is the one the test command started. xdotool acts as the
// user. This process is made a child subreaper, so the new instance, which
// the first starts detached, becomes its child: its exit code can be read,
// and a stray instance can be killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Generous: a loaded CI machine may take long to start a Qt program.
constexpr auto kWindowTimeout = std::chrono::seconds(60);
constexpr auto kExitTimeout = std::chrono::seconds(60);
constexpr auto kRetry = std::chrono::seconds(5);
constexpr auto kStep = milliseconds(100);

struct Output {
  int status = -1;  // exit code, or -1 when the tool did not run
  std::string text;
};

// Runs `argv` (no shell) and collects its standard output.
Output RunTool(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipe_ends[1], STDOUT_FILENO);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipe_ends[1]);
  Output output;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) {
    output.text.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipe_ends[0]);
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    output.status = WEXITSTATUS(status);
  }
  return output;
}

// Starts `program` with no arguments in `folder`, with the environment of
// this process; -1 when it cannot.
pid_t Start(const std::string& program, const std::string& folder) {
  char* const args[] = {const_cast<char*>(program.c_str()), nullptr};
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(folder.c_str()) == 0) ::execv(args[0], args);
    ::_exit(127);
  }
  return pid;
}

// The exit code of child `pid` (-1 when it was killed or is no child of
// this process), or nothing while it runs after `timeout`.
std::optional<int> WaitForExit(pid_t pid, Clock::duration timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0) return -1;
    if (Clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(kStep);
  }
}

// The processes whose parent is this one: those it started, and, as a
// subreaper, those their children left behind.
std::vector<pid_t> Children() {
  std::vector<pid_t> children;
  const std::string self = std::to_string(::getpid());
  std::error_code error;
  for (fs::directory_iterator it("/proc", error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    std::ifstream stat(it->path() / "stat");
    std::string state, parent;
    // The name is in brackets and may hold blanks; the parent follows the
    // closing bracket and the state.
    std::string line;
    if (!std::getline(stat, line)) continue;
    const size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    if (rest >> state >> parent && parent == self) {
      children.push_back(static_cast<pid_t>(std::stol(it->path().filename())));
    }
  }
  return children;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every file below `folder` with its content, so that any write shows.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    files[name] = entry.is_regular_file() ? ReadFile(entry.path()) : "<dir>";
  }
  return files;
}

class RestartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) {
      GTEST_SKIP() << "no DISPLAY: this test needs the X server that the "
                      "test command starts";
    }
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    // The program runs on the X server, whatever the test environment says.
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);

    std::string pattern =
        (fs::temp_directory_path() / "rz-restart-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    scratch_ = fs::canonical(pattern);
    program_dir_ = scratch_ / "program";
    elsewhere_ = scratch_ / "elsewhere";
    fs::copy(RZ_PROGRAM_DIR, program_dir_, fs::copy_options::recursive);
    fs::remove(program_dir_ / "Langue.lng");
    fs::remove(program_dir_ / "Configuration.qivp");
    fs::create_directory(elsewhere_);
    program_ = (program_dir_ / fs::path(RZ_PROGRAM_FILE).filename()).string();
  }

  void TearDown() override {
    // Whatever is left of the program when a check failed.
    for (const pid_t pid : Children()) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    std::error_code error;
    if (!scratch_.empty()) fs::remove_all(scratch_, error);
  }

  Output Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), RZ_XDOTOOL);
    return RunTool(args);
  }

  // The first visible window whose whole title is `title` and, with
  // `dialog`, whose type is a dialog's (the program's main window may bear
  // the same title); 0 when none comes up in time.
  unsigned long FindWindow(const std::string& title, bool dialog = false) {
    const auto deadline = Clock::now() + kWindowTimeout;
    while (Clock::now() < deadline) {
      const Output found =
          Xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
      std::istringstream ids(found.status == 0 ? found.text : "");
      for (std::string id; ids >> id;) {
        if (!dialog || RunTool({RZ_XPROP, "-id", id, "_NET_WM_WINDOW_TYPE"})
                               .text.find("_NET_WM_WINDOW_TYPE_DIALOG") !=
                           std::string::npos) {
          return std::stoul(id);
        }
      }
      std::this_thread::sleep_for(kStep);
    }
    return 0;
  }

  // The windows on the screen and the processes of the program, to tell
  // what went wrong.
  std::string DescribeScreen() {
    std::string text;
    std::istringstream ids(Xdotool({"search", "--name", "."}).text);
    for (std::string id; ids >> id;) {
      text += "window " + id + " \"" + Xdotool({"getwindowname", id}).text;
      text +=
          RunTool({RZ_XPROP, "-id", id, "_NET_WM_WINDOW_TYPE", "_NET_WM_PID"})
              .text;
    }
    for (const pid_t pid : Children()) {
      text += "process " + std::to_string(pid) + "\n";
    }
    return text;
  }

  // Gives `window` the keyboard focus, as a click on it would.
  bool Focus(unsigned long window, Clock::duration timeout) {
    const std::string id = std::to_string(window);
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
      Xdotool({"windowfocus", id});
      const Output focused = Xdotool({"getwindowfocus"});
      if (focused.status == 0 && focused.text.find(id) == 0) return true;
      std::this_thread::sleep_for(kStep);
    }
    return false;
  }

  // Focuses `window` and runs the xdotool commands `input` until process
  // `pid` ends, in case the program was not yet ready to take the input;
  // its exit code, or nothing when it did not end in time.
  std::optional<int> ActUntilExit(
      pid_t pid, unsigned long window,
      const std::vector<std::vector<std::string>>& input) {
    const auto deadline = Clock::now() + kExitTimeout;
    std::optional<int> code;
    while (!code && Clock::now() < deadline) {
      if (Focus(window, kRetry)) {
        for (const std::vector<std::string>& command : input) Xdotool(command);
      }
      code = WaitForExit(pid, kRetry);
    }
    return code;
  }

  fs::path scratch_;
  fs::path program_dir_;
  fs::path elsewhere_;
  std::string program_;
};

TEST_F(RestartTest, ChosenLanguageIsStoredAndANewInstanceStartsAndEnds) {
  const std::map<std::string, std::string> before = Snapshot(program_dir_);
  const pid_t first = Start(program_, elsewhere_.string());
  ASSERT_GT(first, 0);

  // The chooser: Deutsch picked by typing its initial, which no other
  // language shares, into the focused choice box; then a click on the OK
  // button at (5, 35), 190 x 24.
  const unsigned long chooser = FindWindow("Langue / Language");
  ASSERT_NE(chooser, 0u) << "the language chooser did not appear\n"
                         << DescribeScreen();
  EXPECT_EQ(ActUntilExit(first, chooser,
                         {{"key", "--clearmodifiers", "d"},
                          {"mousemove", "--window", std::to_string(chooser),
                           "100", "47", "click", "1"}}),
            std::optional<int>(0))
      << "the first instance ends once it has started the new one";
  EXPECT_EQ(ReadFile(program_dir_ / "Langue.lng"), "Defaut = Deutsch\r\n");
  EXPECT_TRUE(fs::is_empty(elsewhere_))
      << "nothing is written in the folder the program was started from";
  std::map<std::string, std::string> after_first = Snapshot(program_dir_);
  std::set<std::string> written;
  for (const auto& [name, content] : after_first) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != content) written.insert(name);
  }
  EXPECT_EQ(written, std::set<std::string>({"Langue.lng"}))
      << "at start-up only the language setting is written";

  // The new instance: with no controller it says so in a box titled
  // "RiruziruZo", and ends when the box is confirmed.
  const unsigned long box = FindWindow("RiruziruZo", /*dialog=*/true);
  ASSERT_NE(box, 0u) << "no new instance came up with its message\n"
                     << DescribeScreen();
  const Output pid_text = Xdotool({"getwindowpid", std::to_string(box)});
  ASSERT_EQ(pid_text.status, 0);
  const pid_t second = static_cast<pid_t>(std::stol(pid_text.text));
  EXPECT_NE(second, first);
  std::error_code error;
  EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(second) + "/exe", error),
            fs::path(program_))
      << "the new instance runs the program's own file";
  EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(second) + "/cwd", error),
            program_dir_)
      << "it inherits the program's folder as its working directory";
  EXPECT_EQ(ActUntilExit(second, box, {{"key", "--clearmodifiers", "Return"}}),
            std::optional<int>(0))
      << "the new instance ends cleanly";
  EXPECT_EQ(Snapshot(program_dir_), after_first)
      << "the new instance writes nothing";
}

}  // namespace
