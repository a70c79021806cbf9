#include "tools/replay/replay_gui.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_gui.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"

namespace rz::replay {
namespace {

Event Tick(int timer) { return {EventKind::kTimer, timer, 0}; }
Event Close(int window = 0) { return {EventKind::kClose, 0, window}; }
Event Control(int id, int window = 0) {
  return {EventKind::kControl, id, window};
}

ControlSpec Spec(int id, ControlKind kind, int window = 0,
                 std::string text = "") {
  ControlSpec spec;
  spec.id = id;
  spec.kind = kind;
  spec.window = window;
  spec.width = 80;
  spec.height = 24;
  spec.text = std::move(text);
  return spec;
}

// A replay over the in-memory Gui in virtual time, with its log in a
// temporary file.
class ReplayGuiTest : public testing::Test {
 protected:
  ~ReplayGuiTest() override { std::fclose(log_file_); }

  void Start(const std::string& script) {
    ParseResult parsed = ParseScript(script);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    replay_ = std::make_unique<ReplayGui>(
        inner_, joystick_, log_, std::move(parsed.script), &clock_, clock_);
    replay_->RunSetUp();
  }

  // Events until the first close request of window 0, which is included;
  // each with the clock at the time it came.
  std::vector<std::pair<Event, uint32_t>> RunToClose() {
    std::vector<std::pair<Event, uint32_t>> events;
    for (int guard = 0; guard < 100000; ++guard) {
      const Event event = replay_->WaitEvent();
      events.emplace_back(event, clock_.TickCount());
      if (event == Close()) break;
    }
    return events;
  }

  std::string LogText() {
    std::fflush(log_file_);
    std::rewind(log_file_);
    std::string text;
    int c;
    while ((c = std::fgetc(log_file_)) != EOF) text += static_cast<char>(c);
    return text;
  }

  FakeGui inner_;
  FakeJoystick joystick_;
  ManualClock clock_;
  std::FILE* log_file_ = std::tmpfile();
  ReplayLog log_{log_file_};
  std::unique_ptr<ReplayGui> replay_;
};

TEST_F(ReplayGuiTest, SetUpScriptsTheControllerBeforeStartUp) {
  Start(
      "caps result=0 name=\"Pad\" axes=3 buttons=40 hat=1 period=7\n"
      "range Z 100 900\nclock 1234\naxis X 5\nbuttons 0x81\nposresult 167\n"
      "poll 1\naxis X 9\n");
  JoystickCaps caps;
  ASSERT_EQ(joystick_.GetCaps(caps), 0);
  EXPECT_EQ(caps.name, "Pad");
  EXPECT_EQ(caps.num_axes, 3);
  EXPECT_EQ(caps.num_buttons, 40);
  EXPECT_EQ(caps.caps, kJoyCapsHasPov);
  EXPECT_EQ(caps.period_min, 7);
  EXPECT_EQ(caps.range[kAxisZ].min, 100);
  EXPECT_EQ(caps.range[kAxisZ].max, 900);
  EXPECT_EQ(caps.range[kAxisX].max, 65535);
  EXPECT_EQ(clock_.TickCount(), 1234u);
  // Axes no command set rest at the centre of their range.
  EXPECT_EQ(joystick_.position().axis[kAxisX], 5);
  EXPECT_EQ(joystick_.position().axis[kAxisY], 32767);
  EXPECT_EQ(joystick_.position().axis[kAxisZ], 500);
  EXPECT_EQ(joystick_.position().buttons, 0x81u);
  EXPECT_EQ(joystick_.position().pov, kPovCentred);
  JoystickPosition position;
  EXPECT_EQ(joystick_.GetPosition(position), 167);
}

TEST_F(ReplayGuiTest, PollLetsPollTicksHappenWithTheViewTicksBetween) {
  Start("poll 10\nwait 0\n");
  replay_->StartTimer(1, 0, 10);
  replay_->StartTimer(2, 0, 100);
  const auto events = RunToClose();
  ASSERT_EQ(events.size(), 12u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(events[i].first, Tick(1)) << i;
    EXPECT_EQ(events[i].second, 10u * (i + 1)) << i;
  }
  // The view tick due with the last poll comes after it, in start order,
  // once time may pass again.
  EXPECT_EQ(events[10].first, Tick(2));
  EXPECT_EQ(events[10].second, 100u);
  EXPECT_EQ(events[11].first, Close());
}

TEST_F(ReplayGuiTest, TicksDueTogetherComeInTimerStartOrder) {
  Start("wait 10\n");
  replay_->StartTimer(7, 0, 5);
  replay_->StartTimer(3, 0, 5);
  replay_->StartTimer(9, 0, 0);  // counts as 1 ms
  std::vector<int> at_five;
  int nine_ticks = 0;
  for (const auto& [event, time] : RunToClose()) {
    if (event.number == 9) ++nine_ticks;
    if (time == 5 && event.number != 9) at_five.push_back(event.number);
  }
  EXPECT_EQ(at_five, (std::vector<int>{7, 3}));
  EXPECT_EQ(nine_ticks, 10);
  EXPECT_EQ(clock_.TickCount(), 10u);
}

TEST_F(ReplayGuiTest, QueuedEventsComeBeforeTicksAndRestartedTimersRequeue) {
  Start("wait 20\n");
  replay_->StartTimer(1, 0, 10);
  replay_->PostEvent(Control(5));
  EXPECT_EQ(replay_->WaitEvent(), Control(5));
  EXPECT_EQ(replay_->WaitEvent(), Tick(1));
  EXPECT_EQ(clock_.TickCount(), 10u);
  // Restarting moves the timer behind any other and its first tick to a
  // full period from now.
  replay_->StartTimer(1, 0, 4);
  EXPECT_EQ(replay_->WaitEvent(), Tick(1));
  EXPECT_EQ(clock_.TickCount(), 14u);
  replay_->StopTimer(1);
  EXPECT_EQ(replay_->WaitEvent(), Close());
  EXPECT_EQ(clock_.TickCount(), 20u);
}

TEST_F(ReplayGuiTest, PollWithoutAPollTimerDoesNotHang) {
  Start("poll 5\n");
  replay_->StartTimer(2, 0, 100);
  EXPECT_EQ(replay_->WaitEvent(), Close());
}

TEST_F(ReplayGuiTest, UserActionsChangeTheControlAndRaiseItsEvent) {
  ASSERT_EQ(inner_.OpenWindow("Main", 500, 500), 0);
  inner_.CreateControl(Spec(121, ControlKind::kCombo));
  inner_.AddItem(121, "a");
  inner_.AddItem(121, "b");
  ControlSpec slider = Spec(153, ControlKind::kSlider);
  slider.min = 1;
  slider.max = 8;
  inner_.CreateControl(slider);
  inner_.CreateControl(Spec(156, ControlKind::kCheck));
  inner_.CreateControl(Spec(6, ControlKind::kButton));
  inner_.EnableControl(6, false);
  Start(
      "select 121 1\nslider 153 20\ncheck 156 1\nclick 6\nclick 99\n"
      "menu 161\nselect 121 -1\nclose\n");
  EXPECT_EQ(replay_->WaitEvent(), Control(121));
  EXPECT_EQ(inner_.GetSelection(121), 1);
  EXPECT_EQ(replay_->WaitEvent(), Control(153));
  EXPECT_EQ(inner_.GetValue(153), 8);
  EXPECT_EQ(replay_->WaitEvent(), Control(156));
  EXPECT_EQ(inner_.GetValue(156), 1);
  // A disabled or missing control takes no action.
  EXPECT_EQ(replay_->WaitEvent(), (Event{EventKind::kMenu, 161, 0}));
  EXPECT_EQ(replay_->WaitEvent(), Control(121));
  EXPECT_EQ(inner_.GetSelection(121), -1);
  EXPECT_EQ(replay_->WaitEvent(), Close());

  // Nothing reaches the controls of a disabled window.
  Start("check 156 0\n");
  replay_->EnableWindow(0, false);
  EXPECT_EQ(replay_->WaitEvent(), Close());
  EXPECT_EQ(inner_.GetValue(156), 1);
}

TEST_F(ReplayGuiTest, ModalBoxesTakeQueuedAnswersThenTheNextInTheScript) {
  Start(
      "answer yes\nanswer \"Mon profil\"\npoll 1\nanswer ok\nanswer no\n"
      "answer ok\n");
  EXPECT_EQ(replay_->ShowMessage("T", "Delete?", MessageButtons::kYesNo),
            MessageAnswer::kYes);
  EXPECT_EQ(replay_->RequestText("New", "Name:"), "Mon profil");
  // Between time commands the answers standing next are pulled; during
  // one they are not, and the defaults apply.
  replay_->StartTimer(1, 0, 10);
  EXPECT_EQ(replay_->WaitEvent(), Tick(1));
  EXPECT_EQ(replay_->ShowMessage("T", "Info", MessageButtons::kOk),
            MessageAnswer::kOk);
  EXPECT_EQ(replay_->RequestText("New", "Name:"), "");
  // Only an explicit yes confirms.
  EXPECT_EQ(replay_->ShowMessage("T", "Yes?", MessageButtons::kYesNo),
            MessageAnswer::kNo);
  EXPECT_EQ(replay_->ShowMessage("T", "Again?", MessageButtons::kYesNo),
            MessageAnswer::kNo);
  EXPECT_EQ(LogText(),
            "message title=\"T\" text=\"Delete?\" buttons=yesno answer=yes\n"
            "request title=\"New\" prompt=\"Name:\" answer=\"Mon profil\"\n"
            "message title=\"T\" text=\"Info\" buttons=ok answer=ok\n"
            "request title=\"New\" prompt=\"Name:\" answer=\"\"\n"
            "message title=\"T\" text=\"Yes?\" buttons=yesno answer=no\n"
            "message title=\"T\" text=\"Again?\" buttons=yesno answer=no\n");
}

// Opens a chooser as the language chooser does: combo, OK button, the
// languages, a preselection.
struct Chooser {
  int window, combo, ok;
};
Chooser OpenChooser(Gui& gui) {
  Chooser c;
  c.window = gui.OpenWindow(kChooserTitle, 200, 64);
  c.combo = gui.CreateControl(Spec(kAutoId, ControlKind::kCombo, c.window));
  c.ok = gui.CreateControl(Spec(kAutoId, ControlKind::kButton, c.window, "OK"));
  gui.AddItem(c.combo, "Francais");
  gui.AddItem(c.combo, "English");
  gui.AddItem(c.combo, "Deutsch");
  gui.RemoveItem(c.combo, 2);
  gui.SetSelection(c.combo, 0);
  return c;
}

TEST_F(ReplayGuiTest, ChooserPicksTheScriptedNameAndPressesOk) {
  Start("click 157\nchooser \"English\"\n");
  ASSERT_EQ(replay_->OpenWindow("Main", 500, 500), 0);
  inner_.CreateControl(Spec(157, ControlKind::kPictureButton));
  EXPECT_EQ(replay_->WaitEvent(), Control(157));
  const Chooser chooser = OpenChooser(*replay_);
  EXPECT_EQ(replay_->WaitEvent(), Control(chooser.ok, chooser.window));
  EXPECT_EQ(inner_.GetSelection(chooser.combo), 1);
  replay_->CloseWindow(chooser.window);
  EXPECT_EQ(replay_->WaitEvent(), Close());
  EXPECT_EQ(LogText(),
            "chooser items=\"English|Francais\" selected=\"Francais\" "
            "answer=\"English\"\n");
}

TEST_F(ReplayGuiTest, UnansweredChooserIsClosedAndViewerClosesAtOnce) {
  Start("");
  const Chooser chooser = OpenChooser(*replay_);
  EXPECT_EQ(replay_->WaitEvent(), Close(chooser.window));
  replay_->CloseWindow(chooser.window);

  const int viewer = replay_->OpenWindow("Licence", 400, 300);
  replay_->CreateControl(
      Spec(kAutoId, ControlKind::kBrowser, viewer, "Licence/Licence.htm"));
  EXPECT_EQ(replay_->WaitEvent(), Close(viewer));
  replay_->CloseWindow(viewer);
  EXPECT_EQ(replay_->WaitEvent(), Close());
  EXPECT_EQ(LogText(),
            "chooser items=\"English|Francais\" selected=\"Francais\" "
            "answer=close\n"
            "viewer title=\"Licence\" file=\"Licence/Licence.htm\"\n");
}

TEST_F(ReplayGuiTest, ObservationListsWindowZeroAndForegroundIsScripted) {
  ASSERT_EQ(inner_.OpenWindow("Main", 500, 500), 0);
  ControlSpec button = Spec(5, ControlKind::kButton, 0, "Nouveau");
  button.x = 296;
  button.y = 48;
  inner_.CreateControl(button);
  inner_.CreateControl(Spec(kNoId, ControlKind::kLabel, 0, "Vitesse"));
  Start("controls\nforeground 0\n");
  EXPECT_TRUE(replay_->IsForeground(0));
  EXPECT_EQ(replay_->WaitEvent(), Close());
  EXPECT_FALSE(replay_->IsForeground(0));
  EXPECT_EQ(LogText(),
            "control id=5 kind=button x=296 y=48 w=80 h=24 enabled=1 state=0 "
            "text=\"Nouveau\" items=0\n"
            "control id=-1 kind=label x=0 y=0 w=80 h=24 enabled=1 state=0 "
            "text=\"Vitesse\" items=0\n");
}

}  // namespace
}  // namespace rz::replay
