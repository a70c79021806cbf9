// The Gui the replayed program runs on: a decorator over the real window
// layer that plays the script. It owns the timers in virtual time, acts as
// the user, answers modal boxes, the language chooser and the document
// viewer, and reports what is shown in the log.
//
// Virtual time: when the program waits for an event and none is queued,
// the next script command runs; during `poll` and `wait` the clock jumps to
// the earliest due tick (ties in the order the timers were started; a
// period of 0 counts as 1 ms) and delivers it. When the script is done, a
// close request of window 0 follows. Real time (`--realtime`): timers and
// clock are the real ones, and `wait`/`poll` block until enough real time
// or poll ticks have passed; the commands between two of them run together.
//
// An axis that no `axis` command has set rests at the centre of its range.
// A user action on a control that is missing or disabled, or while window
// 0 is disabled, is dropped with a note on stderr, as a user could not do
// it. Modal boxes take the queued answers in order, first pulling the
// `answer` and `chooser` commands that stand next in the script; a Yes/No
// box answers Yes only to `yes`, an OK box always OK, a requester the text
// of a quoted answer and "" to any other. The document viewer gets a close
// request as soon as it waits.
#ifndef RIRUZIRUZO_TOOLS_REPLAY_REPLAY_GUI_H_
#define RIRUZIRUZO_TOOLS_REPLAY_REPLAY_GUI_H_

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/forwarding_gui.h"
#include "platform/gui.h"
#include "tools/replay/replay_log.h"
#include "tools/replay/script.h"

namespace rz::replay {

inline constexpr std::string_view kChooserTitle = "Langue / Language";

class ReplayGui final : public ForwardingGui {
 public:
  // Virtual time when `virtual_clock` is given (it is then the program's
  // clock too); otherwise real timers, with `clock` the real clock.
  ReplayGui(Gui& inner, FakeJoystick& joystick, ReplayLog& log, Script script,
            ManualClock* virtual_clock, Clock& clock);

  // Runs the commands before the first one that needs the running program
  // (poll, wait, a user action, screenshot, controls).
  void RunSetUp();
  // Called whenever the program waits, before anything else, so the toolkit
  // can deliver what it has pending. Must not block.
  void set_pump(std::function<void()> pump) { pump_ = std::move(pump); }

  int OpenWindow(std::string_view title, int client_width,
                 int client_height) override;
  void CloseWindow(int window) override;
  void EnableWindow(int window, bool enabled) override;
  bool IsForeground(int window) override;

  int CreateControl(const ControlSpec& spec) override;
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override;
  void RemoveItem(int id, int position) override;

  // The script chooses menu items with `menu`; nothing is shown.
  void ShowPopupMenu(int, int) override {}

  void StartTimer(int timer, int window, int period_ms) override;
  void StopTimer(int timer) override;

  Event WaitEvent() override;
  void PostEvent(const Event& event) override;

  MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  std::string RequestText(std::string_view title,
                          std::string_view prompt) override;

 private:
  enum class Phase { kCommands, kPoll, kWait };

  struct Timer {
    int number = 0;
    int window = 0;
    uint64_t period = 1;
    uint64_t due = 0;
    uint64_t order = 0;  // start order, for ticks due at the same time
  };

  bool realtime() const { return virtual_clock_ == nullptr; }
  bool IsChooserCombo(int id) const { return id >= 0 && id == chooser_combo_; }
  void RunNext();
  void Run(const ScriptLine& line);
  void RunUserAction(const UserCommand& command, int line);
  bool ControlUsable(int id);
  // Moves the `answer` and `chooser` commands next in the script into
  // their queues (only between time commands).
  void PullAnswers();
  // Answers a waiting chooser or closes a waiting viewer; true when it did.
  bool AnswerWaitingWindow();
  std::optional<Event> NextVirtualTick();
  Timer* FindTimer(int number);
  void SetNow(uint64_t now);
  void StartRealWait(uint32_t remaining_ms);

  FakeJoystick& joystick_;
  ReplayLog& log_;
  Script script_;
  size_t cursor_ = 0;
  ManualClock* virtual_clock_;
  Clock& clock_;
  std::function<void()> pump_;

  std::deque<Event> queue_;  // virtual time only
  std::vector<Timer> timers_;
  uint64_t next_order_ = 0;
  uint64_t now_ = 0;  // virtual milliseconds, not wrapped

  Phase phase_ = Phase::kCommands;
  int64_t polls_left_ = 0;
  uint64_t wait_until_ = 0;     // virtual time
  uint32_t real_deadline_ = 0;  // real time, wrapping

  std::deque<AnswerCommand> answers_;
  std::deque<ChooserCommand> choosers_;
  std::array<bool, kAxisCount> axis_set_{};
  bool foreground_ = true;
  bool main_enabled_ = true;
  std::map<int, std::string> window_titles_;

  int chooser_window_ = -1;
  int chooser_combo_ = -1;
  int chooser_ok_ = -1;
  std::vector<std::string> chooser_items_;
  bool chooser_answered_ = false;
  int viewer_window_ = -1;
  bool viewer_closed_ = false;
};

}  // namespace rz::replay

#endif  // RIRUZIRUZO_TOOLS_REPLAY_REPLAY_GUI_H_
