// The replay script: one command a line that sets up the controller, lets
// virtual time pass, acts as the user, answers modal windows and observes
// the main window.
#ifndef RIRUZIRUZO_TOOLS_REPLAY_SCRIPT_H_
#define RIRUZIRUZO_TOOLS_REPLAY_SCRIPT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/joystick.h"

namespace rz::replay {

// caps result=N name="S" axes=N buttons=N hat=0|1 period=N
struct CapsCommand {
  int result = 0;
  std::string name;
  int axes = 0;
  int buttons = 0;
  bool hat = false;
  int period = 10;
};
// range AXIS MIN MAX
struct RangeCommand {
  Axis axis = kAxisX;
  int32_t min = 0;
  int32_t max = 0;
};
// clock MS
struct ClockCommand {
  uint32_t ms = 0;
};
// axis AXIS VALUE
struct AxisCommand {
  Axis axis = kAxisX;
  int32_t value = 0;
};
// buttons MASK
struct ButtonsCommand {
  uint32_t mask = 0;
};
// hat ANGLE
struct HatCommand {
  uint32_t angle = kPovCentred;
};
// posresult N
struct PosResultCommand {
  int result = 0;
};
// poll N
struct PollCommand {
  int64_t count = 0;
};
// wait MS
struct WaitCommand {
  int64_t ms = 0;
};
// select ID POS, slider ID VALUE, check ID 0|1, click ID, menu ITEM, close
struct UserCommand {
  enum class Kind { kSelect, kSlider, kCheck, kClick, kMenu, kClose };
  Kind kind = Kind::kClick;
  int id = 0;
  int value = 0;
};
// answer ok|yes|no|cancel|"TEXT"
struct AnswerCommand {
  enum class Kind { kOk, kYes, kNo, kCancel, kText };
  Kind kind = Kind::kOk;
  std::string text;
};
// chooser "NAME"|close
struct ChooserCommand {
  bool close = false;
  std::string name;
};
// foreground 0|1
struct ForegroundCommand {
  bool foreground = true;
};
// screenshot FILE
struct ScreenshotCommand {
  std::string file;
};
// controls
struct ControlsCommand {};

using Command =
    std::variant<CapsCommand, RangeCommand, ClockCommand, AxisCommand,
                 ButtonsCommand, HatCommand, PosResultCommand, PollCommand,
                 WaitCommand, UserCommand, AnswerCommand, ChooserCommand,
                 ForegroundCommand, ScreenshotCommand, ControlsCommand>;

struct ScriptLine {
  int line = 0;  // 1-based line of the script file
  Command command;
};

struct Script {
  std::vector<ScriptLine> lines;
};

struct ParseResult {
  bool ok = false;
  Script script;
  int error_line = 0;
  std::string error;
};

// Parses a whole script. Blank lines and lines starting with # are skipped;
// numbers are decimal or 0x hexadecimal; strings are in double quotes with
// the escapes \" \\ and \n. The first malformed line stops the parse.
ParseResult ParseScript(std::string_view text);

// Whether `command` ends the set-up part of a script: letting time pass,
// acting as the user and observing the window need the running program.
bool EndsSetUp(const Command& command);

}  // namespace rz::replay

#endif  // RIRUZIRUZO_TOOLS_REPLAY_SCRIPT_H_
