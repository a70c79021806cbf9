// The one application state: every table, list, setting, font, picture and
// image of the run, and the platform services the composition root chose.
// Nothing else in the program holds state of its own.
#ifndef RIRUZIRUZO_SHELL_APP_STATE_H_
#define RIRUZIRUZO_SHELL_APP_STATE_H_

#include <functional>
#include <string>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "engine/poll.h"
#include "localisation/string_table.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/gui.h"
#include "platform/input_sink.h"
#include "platform/joystick.h"
#include "profiles/profile_list.h"
#include "ui/artwork.h"
#include "ui/live_view.h"
#include "ui/main_window.h"

namespace rz {

// What the composition root hands over. The services outlive the state.
struct AppServices {
  Gui& gui;
  Joystick& joystick;
  // Null when no injection backend could be opened: the program then runs
  // without injecting and says so once.
  InputSink* sink;
  Clock& clock;
  Desktop& desktop;
  // The folder of the program file; start-up makes it the working
  // directory, so every file of the program resolves against it.
  std::string program_dir;
  // Releases what the composition root set up (windows, toolkit, devices)
  // and records the exit where needed. Called by EndProgram only, just
  // before the process ends with `exit_code`.
  std::function<void(int exit_code)> release;
};

struct AppState {
  explicit AppState(AppServices app_services)
      : services(std::move(app_services)),
        injector(catalogue, services.sink),
        poll(services.joystick, services.clock, device, catalogue, injector) {}
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // The borrowed parts of the state the main window works on.
  WindowContext window() {
    return {services.gui, device, catalogue, injector, profiles, strings};
  }

  AppServices services;

  // Localisation.
  StringTable strings;
  std::string current_language;

  // Engine: catalogue, device tables, injector settings (scan-code mode 1
  // from the start), and the poll cycle over them.
  Catalogue catalogue;
  Device device;
  Injector injector;
  PollCycle poll;

  // Profiles; the current element is the current profile.
  ProfileList profiles;
  // False when the program's folder takes no files: nothing is saved then.
  bool folder_writable = true;

  // Window resources. Fonts are -1 when they could not be loaded.
  int small_font = -1;
  int heading_font = -1;
  Pictures pictures;
  Artwork artwork;
  LiveViewImages live_images;
  bool options_menu = false;  // popup menu created

  // Kind of the event being dispatched.
  EventKind last_event = EventKind::kNone;
};

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_APP_STATE_H_
