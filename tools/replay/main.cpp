// riruziruzo-replay PROGRAM_DIR SCRIPT LOG [--realtime]
//
// Runs the real program (start-up, main loop, shutdown, window) on Qt's
// offscreen platform with PROGRAM_DIR as its folder, the controller
// following SCRIPT, virtual time (real time with --realtime), and
// everything the program sends out written to LOG.
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "platform/clock.h"
#include "platform/fake/fake_joystick.h"
#include "platform/fake/manual_clock.h"
#include "platform/qt/qt_gui.h"
#include "shell/app.h"
#include "shell/app_state.h"
#include "shell/close_signals.h"
#include "shell/qt_close_signals.h"
#include "tools/replay/replay_gui.h"
#include "tools/replay/replay_log.h"
#include "tools/replay/script.h"

namespace {

namespace fs = std::filesystem;
using rz::replay::ParseScript;

int Usage() {
  std::fprintf(
      stderr, "usage: riruziruzo-replay PROGRAM_DIR SCRIPT LOG [--realtime]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Before any thread starts, so that no thread takes these signals.
  rz::CloseSignals close_signals;

  std::vector<std::string> paths;
  bool realtime = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--realtime") {
      realtime = true;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() != 3) return Usage();

  std::error_code error;
  const fs::path program_dir = fs::absolute(paths[0], error);
  if (error || !fs::is_directory(program_dir, error)) {
    std::fprintf(stderr, "replay: %s is not a folder\n", paths[0].c_str());
    return 2;
  }
  std::ifstream script_file(paths[1], std::ios::binary);
  if (!script_file) {
    std::fprintf(stderr, "replay: cannot read %s\n", paths[1].c_str());
    return 2;
  }
  std::ostringstream script_text;
  script_text << script_file.rdbuf();
  rz::replay::ParseResult parsed = ParseScript(script_text.str());
  if (!parsed.ok) {
    std::fprintf(stderr, "%s:%d: %s\n", paths[1].c_str(), parsed.error_line,
                 parsed.error.c_str());
    return 2;
  }
  // The program changes the working directory: name screenshots from here.
  for (rz::replay::ScriptLine& line : parsed.script.lines) {
    if (auto* shot =
            std::get_if<rz::replay::ScreenshotCommand>(&line.command)) {
      shot->file = fs::absolute(shot->file, error).string();
    }
  }
  std::FILE* log_file = std::fopen(paths[2].c_str(), "w");
  if (log_file == nullptr) {
    std::fprintf(stderr, "replay: cannot write %s\n", paths[2].c_str());
    return 2;
  }
  rz::replay::ReplayLog log(log_file);

  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  auto app = std::make_unique<QApplication>(qt_argc, argv);
  std::unique_ptr<rz::Gui> qt_gui = rz::CreateQtGui();
  if (qt_gui == nullptr) return 2;

  rz::FakeJoystick joystick;
  rz::ManualClock virtual_clock;
  std::unique_ptr<rz::Clock> system_clock = rz::CreateSystemClock();
  rz::Clock& clock = realtime ? *system_clock : virtual_clock;
  rz::replay::ReplayGui gui(*qt_gui, joystick, log, std::move(parsed.script),
                            realtime ? nullptr : &virtual_clock, clock);
  // In virtual time the program never blocks in Qt's loop: let Qt deliver
  // what it has pending (the signal watch among others) at each wait.
  if (!realtime) gui.set_pump([] { QCoreApplication::processEvents(); });
  rz::replay::LoggingSink sink(log);
  rz::replay::LoggingDesktop desktop(log,
                                     (program_dir / "riruziruzo").string());
  std::unique_ptr<QObject> signal_watch =
      rz::WatchCloseSignals(close_signals, gui);

  gui.RunSetUp();
  rz::AppState state(rz::AppServices{
      .gui = gui,
      .joystick = joystick,
      .sink = &sink,
      .clock = clock,
      .desktop = desktop,
      .program_dir = program_dir.string(),
      .release =
          [&](int code) {
            log.Exit(code);
            std::fclose(log_file);
            signal_watch.reset();
            qt_gui.reset();
            app.reset();
          },
  });
  rz::RunProgram(state);
}
