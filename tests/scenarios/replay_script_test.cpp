#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <variant>

#include "tools/replay/replay_log.h"
#include "tools/replay/script.h"

namespace rz::replay {
namespace {

template <typename T>
const T& At(const ParseResult& result, size_t i) {
  return std::get<T>(result.script.lines.at(i).command);
}

TEST(ReplayScriptTest, ReadsEveryCommandWithItsArguments) {
  const ParseResult r = ParseScript(
      "# set-up\n"
      "caps result=167 name=\"Pad \\\"X\\\" \\\\ 2\\n\" axes=4 buttons=12 "
      "hat=1 period=0\n"
      "\n"
      "  range z -100 100\r\n"
      "clock 4294967295\n"
      "axis R 65535\n"
      "buttons 0xFFFFFFFF\n"
      "hat 9000\n"
      "posresult 167\n"
      "poll 3\n"
      "wait 0\n"
      "select 121 -1\n"
      "slider 153 8\n"
      "check 156 0\n"
      "click 5\n"
      "menu 160\n"
      "close\n"
      "answer \"ok\"\n"
      "answer cancel\n"
      "chooser \"English\"\n"
      "chooser close\n"
      "foreground 0\n"
      "screenshot shots/main.png\n"
      "controls\n");
  ASSERT_TRUE(r.ok) << r.error_line << ": " << r.error;
  ASSERT_EQ(r.script.lines.size(), 22u);

  const auto& caps = At<CapsCommand>(r, 0);
  EXPECT_EQ(caps.result, 167);
  EXPECT_EQ(caps.name, "Pad \"X\" \\ 2\n");
  EXPECT_EQ(caps.axes, 4);
  EXPECT_EQ(caps.buttons, 12);
  EXPECT_TRUE(caps.hat);
  EXPECT_EQ(caps.period, 0);
  EXPECT_EQ(r.script.lines[0].line, 2);

  const auto& range = At<RangeCommand>(r, 1);
  EXPECT_EQ(range.axis, kAxisZ);
  EXPECT_EQ(range.min, -100);
  EXPECT_EQ(range.max, 100);
  EXPECT_EQ(r.script.lines[1].line, 4);
  EXPECT_EQ(At<ClockCommand>(r, 2).ms, 4294967295u);
  EXPECT_EQ(At<AxisCommand>(r, 3).axis, kAxisR);
  EXPECT_EQ(At<ButtonsCommand>(r, 4).mask, 0xFFFFFFFFu);
  EXPECT_EQ(At<HatCommand>(r, 5).angle, 9000u);
  EXPECT_EQ(At<PosResultCommand>(r, 6).result, 167);
  EXPECT_EQ(At<PollCommand>(r, 7).count, 3);
  EXPECT_EQ(At<WaitCommand>(r, 8).ms, 0);

  const auto& select = At<UserCommand>(r, 9);
  EXPECT_EQ(select.kind, UserCommand::Kind::kSelect);
  EXPECT_EQ(select.id, 121);
  EXPECT_EQ(select.value, -1);
  EXPECT_EQ(At<UserCommand>(r, 13).kind, UserCommand::Kind::kMenu);
  EXPECT_EQ(At<UserCommand>(r, 13).id, 160);
  EXPECT_EQ(At<UserCommand>(r, 14).kind, UserCommand::Kind::kClose);

  // A quoted "ok" is a text, not the OK button.
  EXPECT_EQ(At<AnswerCommand>(r, 15).kind, AnswerCommand::Kind::kText);
  EXPECT_EQ(At<AnswerCommand>(r, 15).text, "ok");
  EXPECT_EQ(At<AnswerCommand>(r, 16).kind, AnswerCommand::Kind::kCancel);
  EXPECT_EQ(At<ChooserCommand>(r, 17).name, "English");
  EXPECT_TRUE(At<ChooserCommand>(r, 18).close);
  EXPECT_FALSE(At<ForegroundCommand>(r, 19).foreground);
  EXPECT_EQ(At<ScreenshotCommand>(r, 20).file, "shots/main.png");
}

TEST(ReplayScriptTest, CapsKeysDefaultWhenLeftOut) {
  const ParseResult r = ParseScript("caps axes=2");
  ASSERT_TRUE(r.ok);
  const auto& caps = At<CapsCommand>(r, 0);
  EXPECT_EQ(caps.result, 0);
  EXPECT_EQ(caps.name, "");
  EXPECT_EQ(caps.buttons, 0);
  EXPECT_FALSE(caps.hat);
  EXPECT_EQ(caps.period, 10);
}

TEST(ReplayScriptTest, NamesTheFirstBadLine) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"poll 1\njump 3\n", 2},
      {"poll -1", 1},
      {"poll", 1},
      {"poll 1 2", 1},
      {"wait ten", 1},
      {"buttons 0x100000000", 1},
      {"hat -1", 1},
      {"axis W 0", 1},
      {"range X 0", 1},
      {"check 156 2", 1},
      {"foreground 2", 1},
      {"caps hat=2", 1},
      {"caps speed=3", 1},
      {"caps 3", 1},
      {"answer maybe", 1},
      {"answer \"open", 1},
      {"answer \"a\\tb\"", 1},
      {"answer \"a\"b", 1},
      {"chooser English", 1},
      {"\n\n\"poll\" 1", 3},
      {"select 7 0x", 1},
  };
  for (const Case& c : cases) {
    const ParseResult r = ParseScript(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.error_line, c.line) << c.text;
    EXPECT_FALSE(r.error.empty()) << c.text;
  }
}

TEST(ReplayScriptTest, SetUpEndsAtTimeUserActionsAndObservation) {
  const ParseResult r = ParseScript(
      "caps axes=2\nrange X 0 10\nclock 5\naxis X 3\nbuttons 1\nhat 0\n"
      "posresult 0\nanswer ok\nchooser close\nforeground 0\n"
      "poll 1\nwait 1\nclick 5\nmenu 160\nclose\nscreenshot a.png\n"
      "controls\n");
  ASSERT_TRUE(r.ok);
  for (size_t i = 0; i < r.script.lines.size(); ++i) {
    EXPECT_EQ(EndsSetUp(r.script.lines[i].command), i >= 10) << i;
  }
}

TEST(ReplayLogTest, QuotesWithTheScriptEscapes) {
  EXPECT_EQ(Quote(""), "\"\"");
  EXPECT_EQ(Quote("a \"b\" \\ c\nd"), "\"a \\\"b\\\" \\\\ c\\nd\"");
  EXPECT_EQ(Quote("Créer"), "\"Créer\"");
}

// The log as written to a temporary file.
class LogFile {
 public:
  LogFile() : file_(std::tmpfile()), log_(file_) {}
  ~LogFile() { std::fclose(file_); }
  ReplayLog& log() { return log_; }
  std::string Text() {
    std::rewind(file_);
    std::string text;
    int c;
    while ((c = std::fgetc(file_)) != EOF) text += static_cast<char>(c);
    return text;
  }

 private:
  std::FILE* file_;
  ReplayLog log_;
};

TEST(ReplayLogTest, WritesEachLineInItsFormat) {
  LogFile file;
  ReplayLog& log = file.log();
  InputRecord mouse;
  mouse.dx = -3;
  mouse.dy = 12;
  mouse.mouse_data = -120;
  mouse.mouse_flags = kMouseEventWheel;
  log.Record(mouse);
  InputRecord key;
  key.type = InputRecord::Type::kKeyboard;
  key.vk = 0x41;
  key.scan = 0x1E;
  key.key_flags = kKeyUp | kKeyScanCode;
  log.Record(key);
  log.Message("T", "a\nb", MessageButtons::kYesNo, MessageAnswer::kYes);
  log.Message("T", "", MessageButtons::kOk, MessageAnswer::kOk);
  log.Request("New", "Name:", "x\"y");
  const std::string name = "English";
  log.Chooser({"Francais", "English"}, "Francais", &name);
  log.Chooser({}, "", nullptr);
  log.Launch("Qiv.exe", true);
  log.Open("guide.html");
  log.Viewer("Licence", "Licence/Licence.htm");
  log.Restart("/p/riruziruzo");
  ControlInfo control;
  control.id = 7;
  control.kind = ControlKind::kCombo;
  control.x = 4;
  control.y = 48;
  control.width = 292;
  control.height = 24;
  control.enabled = false;
  control.state = -1;
  control.text = "";
  control.items = 2;
  log.Control(control);
  control.kind = ControlKind::kPictureButton;
  log.Control(control);
  log.Exit(0);
  EXPECT_EQ(file.Text(),
            "mouse dx=-3 dy=12 data=-120 flags=0x0800\n"
            "key vk=0x41 scan=0x001E flags=0x000A\n"
            "message title=\"T\" text=\"a\\nb\" buttons=yesno answer=yes\n"
            "message title=\"T\" text=\"\" buttons=ok answer=ok\n"
            "request title=\"New\" prompt=\"Name:\" answer=\"x\\\"y\"\n"
            "chooser items=\"English|Francais\" selected=\"Francais\" "
            "answer=\"English\"\n"
            "chooser items=\"\" selected=\"\" answer=close\n"
            "launch path=\"Qiv.exe\" wait=1\n"
            "open target=\"guide.html\"\n"
            "viewer title=\"Licence\" file=\"Licence/Licence.htm\"\n"
            "restart path=\"/p/riruziruzo\"\n"
            "control id=7 kind=combo x=4 y=48 w=292 h=24 enabled=0 state=-1 "
            "text=\"\" items=2\n"
            "control id=7 kind=picturebutton x=4 y=48 w=292 h=24 enabled=0 "
            "state=-1 text=\"\" items=2\n"
            "exit code=0\n");
}

}  // namespace
}  // namespace rz::replay
