// The program's entry point and composition root: it picks the platform
// services (Qt windows, SDL controller, uinput or XTest injection, the
// system clock) and runs the program on them.
#include <QApplication>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/clock.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_gui.h"
#include "platform/sdl/sdl_joystick.h"
#include "platform/uinput/uinput_sink.h"
#include "platform/xtest/xtest_sink.h"
#include "shell/app.h"
#include "shell/app_state.h"
#include "shell/close_signals.h"
#include "shell/qt_close_signals.h"

namespace {

// The folder of the program file; empty when it cannot be told.
std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.parent_path().string();
}

// uinput reaches every application on X11 and Wayland alike; XTest only X
// clients. Null when neither can be used.
std::unique_ptr<rz::InputSink> OpenInjection() {
  if (auto sink = rz::CreateUinputSink()) return sink;
  return rz::CreateXTestSink();
}

}  // namespace

int main(int argc, char** argv) {
  // Before any thread starts, so that no thread takes these signals.
  rz::CloseSignals close_signals;

  // The program reads no arguments; Qt gets only the program's name.
  int qt_argc = argc > 0 ? 1 : 0;
  auto app = std::make_unique<QApplication>(qt_argc, argv);
  std::unique_ptr<rz::Gui> gui = rz::CreateQtGui();
  if (gui == nullptr) return 1;
  std::unique_ptr<rz::Desktop> desktop = rz::CreateQtDesktop();
  std::unique_ptr<rz::Joystick> joystick = rz::CreateSdlJoystick();
  std::unique_ptr<rz::InputSink> sink = OpenInjection();
  std::unique_ptr<rz::Clock> clock = rz::CreateSystemClock();
  std::unique_ptr<QObject> signal_watch =
      rz::WatchCloseSignals(close_signals, *gui);

  rz::AppState state(rz::AppServices{
      .gui = *gui,
      .joystick = *joystick,
      .sink = sink.get(),
      .clock = *clock,
      .desktop = *desktop,
      .program_dir = ProgramFolder(),
      // Windows go before the toolkit, and the virtual input device is
      // removed, so nothing of the program outlives it.
      .release =
          [&](int) {
            signal_watch.reset();
            gui.reset();
            sink.reset();
            joystick.reset();
            desktop.reset();
            app.reset();
          },
  });
  rz::RunProgram(state);
}
