// Measures a running program from outside, as the system sees it. Each
// mode starts PROGRAM, measures, then ends it with SIGTERM (SIGKILL after
// five seconds) and prints "name value unit" lines.
//
//   rz_measure_program window -- PROGRAM [ARGS...]
//     Time from starting PROGRAM until its first top-level window is mapped
//     on the X display, and its resident memory then.
//   rz_measure_program log FILE -- PROGRAM [ARGS...]
//     Time from starting PROGRAM until FILE holds a first line, and its
//     resident memory then.
//   rz_measure_program cpu WARMUP SECONDS -- PROGRAM [ARGS...]
//     CPU time of all of PROGRAM's threads over SECONDS, after WARMUP
//     seconds, as a share of one core; and its peak resident memory.
#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

pid_t Start(char** argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[0], argv);
    std::perror("exec");
    _exit(127);
  }
  return pid;
}

bool Running(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// A "VmRSS:"-style field of /proc/PID/status, in MB.
double StatusMb(pid_t pid, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field + ":", 0) == 0) {
      return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024;
    }
  }
  return -1;
}

void PrintMemory(pid_t pid) {
  std::printf("resident %.1f MB\n", StatusMb(pid, "VmRSS"));
  std::printf("peak_resident %.1f MB\n", StatusMb(pid, "VmHWM"));
}

// Nanoseconds on a CPU, summed over every thread of `pid`.
uint64_t CpuNanoseconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  uint64_t total = 0;
  DIR* dir = opendir(tasks.c_str());
  if (dir == nullptr) return 0;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
    uint64_t on_cpu = 0;
    if (in >> on_cpu) total += on_cpu;
  }
  closedir(dir);
  return total;
}

int MeasureWindow(char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const Clock::time_point start = Clock::now();
  const pid_t pid = Start(argv);
  std::optional<double> shown;
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  while (!shown && MillisecondsSince(start) < 30000 && Running(pid)) {
    if (XPending(display) == 0) {
      poll(&fd, 1, 10);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && !event.xmap.override_redirect) {
      shown = MillisecondsSince(start);
    }
  }
  if (shown) {
    std::printf("first_window %.1f ms\n", *shown);
    PrintMemory(pid);
  } else {
    std::fprintf(stderr, "no window was shown\n");
  }
  Stop(pid);
  XCloseDisplay(display);
  return shown ? 0 : 1;
}

int MeasureLog(const char* file, char** argv) {
  const Clock::time_point start = Clock::now();
  const pid_t pid = Start(argv);
  std::optional<double> written;
  while (!written && MillisecondsSince(start) < 30000 && Running(pid)) {
    std::ifstream in(file);
    std::string line;
    if (std::getline(in, line) && !in.eof()) {
      written = MillisecondsSince(start);
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
  if (written) {
    std::printf("first_log_line %.1f ms\n", *written);
    PrintMemory(pid);
  } else {
    std::fprintf(stderr, "nothing was logged\n");
  }
  Stop(pid);
  return written ? 0 : 1;
}

int MeasureCpu(double warmup, double seconds, char** argv) {
  const pid_t pid = Start(argv);
  std::this_thread::sleep_for(std::chrono::duration<double>(warmup));
  const uint64_t cpu_start = CpuNanoseconds(pid);
  const Clock::time_point start = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const uint64_t cpu_end = CpuNanoseconds(pid);
  const double wall_ms = MillisecondsSince(start);
  const bool alive = Running(pid);
  if (alive) {
    const double cpu_ms = static_cast<double>(cpu_end - cpu_start) / 1e6;
    std::printf("cpu_time %.1f ms over %.1f s\n", cpu_ms, wall_ms / 1000);
    std::printf("cpu_share %.3f %% of one core\n", 100.0 * cpu_ms / wall_ms);
    PrintMemory(pid);
  } else {
    std::fprintf(stderr, "the program ended before the measurement did\n");
  }
  Stop(pid);
  return alive ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: rz_measure_program window -- PROGRAM [ARGS...]\n"
               "       rz_measure_program log FILE -- PROGRAM [ARGS...]\n"
               "       rz_measure_program cpu WARMUP SECONDS -- PROGRAM "
               "[ARGS...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int dashes = 1;
  while (dashes < argc && std::strcmp(argv[dashes], "--") != 0) ++dashes;
  if (argc < 2 || dashes + 1 >= argc) return Usage();
  char** program = argv + dashes + 1;
  const std::string mode = argv[1];
  if (mode == "window" && dashes == 2) return MeasureWindow(program);
  if (mode == "log" && dashes == 3) return MeasureLog(argv[2], program);
  if (mode == "cpu" && dashes == 4) {
    return MeasureCpu(std::atof(argv[2]), std::atof(argv[3]), program);
  }
  return Usage();
}
