#include "tools/replay/replay_gui.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "ui/control_ids.h"

namespace rz::replay {
namespace {

// The real-time timer that ends a `wait`; no window uses such a number.
constexpr int kWakeTimer = 0x7FFF0001;

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};

int32_t Centre(const AxisRange& range) {
  const int64_t min = range.min;
  return static_cast<int32_t>(min + (range.max - min) / 2);
}

}  // namespace

ReplayGui::ReplayGui(Gui& inner, FakeJoystick& joystick, ReplayLog& log,
                     Script script, ManualClock* virtual_clock, Clock& clock)
    : ForwardingGui(inner),
      joystick_(joystick),
      log_(log),
      script_(std::move(script)),
      virtual_clock_(virtual_clock),
      clock_(clock) {
  JoystickCaps& caps = joystick_.caps();
  caps.period_min = CapsCommand().period;
  for (int a = 0; a < kAxisCount; ++a) {
    caps.range[a] = {0, 65535};
    joystick_.position().axis[a] = Centre(caps.range[a]);
  }
  joystick_.position().pov = kPovCentred;
  if (virtual_clock_ != nullptr) SetNow(0);
}

void ReplayGui::RunSetUp() {
  while (cursor_ < script_.lines.size() &&
         !EndsSetUp(script_.lines[cursor_].command)) {
    RunNext();
  }
}

void ReplayGui::RunNext() { Run(script_.lines[cursor_++]); }

void ReplayGui::Run(const ScriptLine& line) {
  std::visit(
      Overloaded{
          [&](const CapsCommand& c) {
            JoystickCaps& caps = joystick_.caps();
            caps.name = c.name;
            caps.num_axes = c.axes;
            caps.num_buttons = c.buttons;
            caps.caps = c.hat ? kJoyCapsHasPov : 0;
            caps.period_min = c.period;
            joystick_.set_caps_result(c.result);
          },
          [&](const RangeCommand& c) {
            joystick_.caps().range[c.axis] = {c.min, c.max};
            if (!axis_set_[c.axis]) {
              joystick_.position().axis[c.axis] =
                  Centre(joystick_.caps().range[c.axis]);
            }
          },
          [&](const ClockCommand& c) {
            if (!realtime()) SetNow(c.ms);
          },
          [&](const AxisCommand& c) {
            joystick_.position().axis[c.axis] = c.value;
            axis_set_[c.axis] = true;
          },
          [&](const ButtonsCommand& c) {
            joystick_.position().buttons = c.mask;
          },
          [&](const HatCommand& c) { joystick_.position().pov = c.angle; },
          [&](const PosResultCommand& c) {
            joystick_.set_position_result(c.result);
          },
          [&](const PollCommand& c) {
            if (c.count == 0) return;
            phase_ = Phase::kPoll;
            polls_left_ = c.count;
          },
          [&](const WaitCommand& c) {
            phase_ = Phase::kWait;
            if (!realtime()) {
              wait_until_ = now_ + static_cast<uint64_t>(c.ms);
              return;
            }
            const auto ms = static_cast<uint32_t>(
                std::min<int64_t>(c.ms, std::numeric_limits<int32_t>::max()));
            real_deadline_ = clock_.TickCount() + ms;
            StartRealWait(ms);
          },
          [&](const UserCommand& c) { RunUserAction(c, line.line); },
          [&](const AnswerCommand& c) { answers_.push_back(c); },
          [&](const ChooserCommand& c) { choosers_.push_back(c); },
          [&](const ForegroundCommand& c) { foreground_ = c.foreground; },
          [&](const ScreenshotCommand& c) {
            if (!inner_.SaveScreenshot(kMainWindow, c.file)) {
              std::fprintf(stderr, "replay: line %d: no screenshot saved\n",
                           line.line);
            }
          },
          [&](const ControlsCommand&) {
            for (const ControlInfo& control :
                 inner_.DescribeControls(kMainWindow)) {
              log_.Control(control);
            }
          },
      },
      line.command);
}

void ReplayGui::RunUserAction(const UserCommand& c, int line) {
  using Kind = UserCommand::Kind;
  if (c.kind == Kind::kMenu) {
    PostEvent({EventKind::kMenu, c.id, kMainWindow});
    return;
  }
  if (c.kind == Kind::kClose) {
    PostEvent({EventKind::kClose, 0, kMainWindow});
    return;
  }
  if (!ControlUsable(c.id)) {
    std::fprintf(stderr,
                 "replay: line %d: control %d cannot be used now; action "
                 "dropped\n",
                 line, c.id);
    return;
  }
  switch (c.kind) {
    case Kind::kSelect:
      inner_.SetSelection(c.id, c.value);
      break;
    case Kind::kSlider:
    case Kind::kCheck:
      inner_.SetValue(c.id, c.value);
      break;
    default:
      break;
  }
  PostEvent({EventKind::kControl, c.id, kMainWindow});
}

bool ReplayGui::ControlUsable(int id) {
  if (!main_enabled_ || id < 0) return false;
  for (const ControlInfo& control : inner_.DescribeControls(kMainWindow)) {
    if (control.id == id) return control.enabled;
  }
  return false;
}

void ReplayGui::PullAnswers() {
  while (phase_ == Phase::kCommands && cursor_ < script_.lines.size()) {
    const Command& next = script_.lines[cursor_].command;
    if (!std::holds_alternative<AnswerCommand>(next) &&
        !std::holds_alternative<ChooserCommand>(next)) {
      return;
    }
    RunNext();
  }
}

int ReplayGui::OpenWindow(std::string_view title, int client_width,
                          int client_height) {
  const int window = inner_.OpenWindow(title, client_width, client_height);
  if (window < 0) return window;
  window_titles_[window] = std::string(title);
  if (title == kChooserTitle) {
    chooser_window_ = window;
    chooser_combo_ = -1;
    chooser_ok_ = -1;
    chooser_items_.clear();
    chooser_answered_ = false;
  }
  return window;
}

void ReplayGui::CloseWindow(int window) {
  inner_.CloseWindow(window);
  window_titles_.erase(window);
  if (window == chooser_window_) chooser_window_ = -1;
  if (window == viewer_window_) viewer_window_ = -1;
}

void ReplayGui::EnableWindow(int window, bool enabled) {
  if (window == kMainWindow) main_enabled_ = enabled;
  inner_.EnableWindow(window, enabled);
}

bool ReplayGui::IsForeground(int window) {
  return window == kMainWindow && foreground_;
}

int ReplayGui::CreateControl(const ControlSpec& spec) {
  const int id = inner_.CreateControl(spec);
  if (spec.kind == ControlKind::kBrowser) {
    const auto title = window_titles_.find(spec.window);
    log_.Viewer(title != window_titles_.end() ? title->second : "", spec.text);
    viewer_window_ = spec.window;
    viewer_closed_ = false;
  }
  if (id >= 0 && spec.window == chooser_window_) {
    if (spec.kind == ControlKind::kCombo) chooser_combo_ = id;
    if (spec.kind == ControlKind::kButton) chooser_ok_ = id;
  }
  return id;
}

void ReplayGui::ClearItems(int id) {
  inner_.ClearItems(id);
  if (IsChooserCombo(id)) chooser_items_.clear();
}

void ReplayGui::AddItem(int id, std::string_view text) {
  inner_.AddItem(id, text);
  if (IsChooserCombo(id)) chooser_items_.emplace_back(text);
}

void ReplayGui::RemoveItem(int id, int position) {
  inner_.RemoveItem(id, position);
  if (IsChooserCombo(id) && position >= 0 &&
      position < static_cast<int>(chooser_items_.size())) {
    chooser_items_.erase(chooser_items_.begin() + position);
  }
}

ReplayGui::Timer* ReplayGui::FindTimer(int number) {
  for (Timer& timer : timers_) {
    if (timer.number == number) return &timer;
  }
  return nullptr;
}

void ReplayGui::StartTimer(int timer, int window, int period_ms) {
  StopTimer(timer);
  const uint64_t period = static_cast<uint64_t>(std::max(period_ms, 1));
  timers_.push_back({timer, window, period, now_ + period, next_order_++});
  if (realtime()) inner_.StartTimer(timer, window, period_ms);
}

void ReplayGui::StopTimer(int timer) {
  std::erase_if(timers_, [&](const Timer& t) { return t.number == timer; });
  if (realtime()) inner_.StopTimer(timer);
}

void ReplayGui::SetNow(uint64_t now) {
  now_ = now;
  virtual_clock_->Set(static_cast<uint32_t>(now));
}

void ReplayGui::StartRealWait(uint32_t remaining_ms) {
  inner_.StartTimer(kWakeTimer, kMainWindow,
                    static_cast<int>(std::max<uint32_t>(remaining_ms, 1)));
}

void ReplayGui::PostEvent(const Event& event) {
  if (realtime()) {
    inner_.PostEvent(event);
  } else {
    queue_.push_back(event);
  }
}

bool ReplayGui::AnswerWaitingWindow() {
  if (viewer_window_ >= 0 && !viewer_closed_) {
    viewer_closed_ = true;
    PostEvent({EventKind::kClose, 0, viewer_window_});
    return true;
  }
  if (chooser_window_ < 0 || chooser_answered_) return false;
  chooser_answered_ = true;
  PullAnswers();
  std::optional<ChooserCommand> answer;
  if (!choosers_.empty()) {
    answer = choosers_.front();
    choosers_.pop_front();
  }
  const int selection = inner_.GetSelection(chooser_combo_);
  const std::string selected =
      selection >= 0 && selection < static_cast<int>(chooser_items_.size())
          ? chooser_items_[selection]
          : "";
  if (answer && !answer->close) {
    const auto found =
        std::find(chooser_items_.begin(), chooser_items_.end(), answer->name);
    inner_.SetSelection(chooser_combo_,
                        found == chooser_items_.end()
                            ? -1
                            : static_cast<int>(found - chooser_items_.begin()));
    log_.Chooser(chooser_items_, selected, &answer->name);
    PostEvent({EventKind::kControl, chooser_ok_, chooser_window_});
  } else {
    log_.Chooser(chooser_items_, selected, nullptr);
    PostEvent({EventKind::kClose, 0, chooser_window_});
  }
  return true;
}

std::optional<Event> ReplayGui::NextVirtualTick() {
  Timer* next = nullptr;
  for (Timer& timer : timers_) {
    if (next == nullptr || timer.due < next->due ||
        (timer.due == next->due && timer.order < next->order)) {
      next = &timer;
    }
  }
  if (phase_ == Phase::kPoll && FindTimer(kPollTimer) == nullptr) {
    phase_ = Phase::kCommands;  // nothing would ever poll
    return std::nullopt;
  }
  if (phase_ == Phase::kWait && (next == nullptr || next->due > wait_until_)) {
    SetNow(std::max(now_, wait_until_));
    phase_ = Phase::kCommands;
    return std::nullopt;
  }
  SetNow(std::max(now_, next->due));
  next->due += next->period;
  if (next->due <= now_) next->due = now_ + next->period;
  if (phase_ == Phase::kPoll && next->number == kPollTimer &&
      --polls_left_ == 0) {
    phase_ = Phase::kCommands;
  }
  return Event{EventKind::kTimer, next->number, next->window};
}

Event ReplayGui::WaitEvent() {
  while (true) {
    if (pump_) pump_();
    if (!realtime() && !queue_.empty()) {
      const Event event = queue_.front();
      queue_.pop_front();
      return event;
    }
    if (AnswerWaitingWindow()) continue;
    if (phase_ == Phase::kCommands) {
      if (cursor_ < script_.lines.size()) {
        RunNext();
        continue;
      }
      // The script is done: the program is asked to close.
      PostEvent({EventKind::kClose, 0, kMainWindow});
      if (!realtime()) continue;
    }
    if (!realtime()) {
      if (const auto tick = NextVirtualTick()) return *tick;
      continue;
    }
    if (phase_ == Phase::kPoll && FindTimer(kPollTimer) == nullptr) {
      phase_ = Phase::kCommands;  // nothing would ever poll
      continue;
    }
    const Event event = inner_.WaitEvent();
    if (event.kind == EventKind::kTimer && event.number == kWakeTimer) {
      inner_.StopTimer(kWakeTimer);
      if (phase_ == Phase::kWait) {
        const auto left =
            static_cast<int32_t>(real_deadline_ - clock_.TickCount());
        if (left > 0) {
          StartRealWait(static_cast<uint32_t>(left));
        } else {
          phase_ = Phase::kCommands;
        }
      }
      continue;
    }
    if (phase_ == Phase::kPoll && event.kind == EventKind::kTimer &&
        event.number == kPollTimer && --polls_left_ == 0) {
      phase_ = Phase::kCommands;
    }
    return event;
  }
}

MessageAnswer ReplayGui::ShowMessage(std::string_view title,
                                     std::string_view text,
                                     MessageButtons buttons) {
  PullAnswers();
  MessageAnswer answer =
      buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kNo;
  if (!answers_.empty()) {
    const AnswerCommand::Kind kind = answers_.front().kind;
    answers_.pop_front();
    // Only an explicit yes confirms.
    if (buttons == MessageButtons::kYesNo &&
        kind == AnswerCommand::Kind::kYes) {
      answer = MessageAnswer::kYes;
    }
  }
  log_.Message(title, text, buttons, answer);
  return answer;
}

std::string ReplayGui::RequestText(std::string_view title,
                                   std::string_view prompt) {
  PullAnswers();
  std::string answer;
  if (!answers_.empty()) {
    if (answers_.front().kind == AnswerCommand::Kind::kText) {
      answer = answers_.front().text;
    }
    answers_.pop_front();
  }
  log_.Request(title, prompt, answer);
  return answer;
}

}  // namespace rz::replay
