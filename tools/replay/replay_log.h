// The replay log: one line per thing the program sends out (input records,
// modal boxes and their answers, started programs, the window's controls,
// the exit), and the input sink and desktop that write it.
#ifndef RIRUZIRUZO_TOOLS_REPLAY_REPLAY_LOG_H_
#define RIRUZIRUZO_TOOLS_REPLAY_REPLAY_LOG_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/gui.h"
#include "platform/input_sink.h"

namespace rz::replay {

// `text` in double quotes, with " \ and line feed escaped as \" \\ \n.
std::string Quote(std::string_view text);

// The log's word for a control kind.
std::string_view KindName(ControlKind kind);

class ReplayLog {
 public:
  // Writes to `file`, which stays the caller's. Every line is flushed, so
  // a reader sees it at once and nothing is lost when the process ends.
  explicit ReplayLog(std::FILE* file) : file_(file) {}

  void Record(const InputRecord& record);
  void Message(std::string_view title, std::string_view text,
               MessageButtons buttons, MessageAnswer answer);
  void Request(std::string_view title, std::string_view prompt,
               std::string_view answer);
  // `answer` is the chosen name, or nothing when the chooser was closed.
  // The items are logged sorted.
  void Chooser(const std::vector<std::string>& items, std::string_view selected,
               const std::string* answer);
  void Launch(std::string_view path, bool wait);
  void Open(std::string_view target);
  void Viewer(std::string_view title, std::string_view file);
  void Restart(std::string_view path);
  void Control(const ControlInfo& control);
  void Exit(int code);

 private:
  void Line(const std::string& line);

  std::FILE* file_;
};

// Logs every record instead of injecting it. Allocates nothing.
class LoggingSink final : public InputSink {
 public:
  explicit LoggingSink(ReplayLog& log) : log_(log) {}
  void Send(const InputRecord& record) override { log_.Record(record); }

 private:
  ReplayLog& log_;
};

// Logs what the program asks of the desktop and starts nothing. A launch
// succeeds when the file exists, as it would for a real program file.
class LoggingDesktop final : public Desktop {
 public:
  LoggingDesktop(ReplayLog& log, std::string executable_path)
      : log_(log), executable_path_(std::move(executable_path)) {}

  std::string ExecutablePath() override { return executable_path_; }
  bool Launch(const std::string& path, bool wait) override;
  bool Open(const std::string& target) override;
  bool Restart(const std::string& path) override;

 private:
  ReplayLog& log_;
  std::string executable_path_;
};

}  // namespace rz::replay

#endif  // RIRUZIRUZO_TOOLS_REPLAY_REPLAY_LOG_H_
