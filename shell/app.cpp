#include "shell/app.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/actions.h"
#include "engine/joystick.h"
#include "localisation/language.h"
#include "profiles/folder_check.h"
#include "profiles/profile.h"
#include "profiles/profile_list.h"
#include "shell/options_menu.h"
#include "ui/artwork.h"
#include "ui/assignment.h"
#include "ui/control_ids.h"
#include "ui/live_view.h"
#include "ui/main_window.h"
#include "ui/profile_controls.h"

namespace rz {
namespace {

constexpr int kDefaultProfileName = 139;
constexpr int kWindowTitle = 89;
constexpr int kNoDriverMessage = 90;
constexpr int kUnpluggedMessage = 91;
constexpr int kOptionsPictureText = 130;
constexpr int kLanguagePictureText = 131;

void OpenMainWindow(AppState& state) {
  Gui& gui = state.services.gui;
  if (gui.OpenWindow(state.strings.Get(kWindowTitle), kMainClientWidth,
                     kMainClientHeight) != kMainWindow) {
    EndProgram(state);
  }
  const std::vector<RgbaImage> icon = MakeApplicationIcon();
  std::vector<ConstRgbaView> sizes;
  for (const RgbaImage& image : icon) sizes.push_back(image.const_view());
  if (!sizes.empty()) gui.SetWindowIcon(kMainWindow, sizes);
}

void LoadFonts(AppState& state) {
  Gui& gui = state.services.gui;
  state.small_font = gui.LoadFont("Arial", 9);
  state.heading_font = gui.LoadFont("Arial", 12);
  if (state.small_font >= 0) gui.SetControlFont(state.small_font);
}

// Ends the program, after telling the user, when there is no controller.
void StartController(AppState& state) {
  const int result = StartDevice(state.services.joystick, state.device);
  if (result != kJoyErrNoDriver && result != kJoyErrUnplugged) return;
  state.services.gui.ShowMessage(
      kProgramTitle,
      state.strings.Get(result == kJoyErrNoDriver ? kNoDriverMessage
                                                  : kUnpluggedMessage),
      MessageButtons::kOk);
  EndProgram(state);
}

}  // namespace

void StartUp(AppState& state) {
  Gui& gui = state.services.gui;

  // Every file of the program lives beside it, whatever folder it was
  // started from.
  std::error_code error;
  std::filesystem::current_path(state.services.program_dir, error);
  if (error) EndProgram(state);
  state.folder_writable = IsFolderWritable(state.services.program_dir);

  // Where the choice cannot be stored, the restart that applies it would
  // ask again, endlessly; the base language serves instead.
  LoadLanguage(state.current_language, state.strings, [&state] {
    if (state.folder_writable) ChooseLanguage(state);
  });
  BuildCatalogue(state.catalogue,
                 [&state](int number) { return state.strings.Get(number); });
  ScanProfiles(state.profiles);
  RestoreLastProfile(state.profiles, state.strings.Get(kDefaultProfileName));

  OpenMainWindow(state);
  // Before the user changes anything that could not be kept.
  if (!state.folder_writable) {
    gui.ShowMessage(kProgramTitle, state.strings.Get(kFolderNotWritableMessage),
                    MessageButtons::kOk);
  }
  LoadFonts(state);
  state.pictures =
      MakePictures(gui, state.strings.Get(kOptionsPictureText),
                   state.strings.Get(kLanguagePictureText), state.small_font);
  DecodeArtwork(state.artwork);

  StartController(state);

  const WindowContext window = state.window();
  BuildMainWindow(window, state.pictures, state.heading_font,
                  state.live_images);
  PlaceBottomButtons(gui, state.pictures);
  state.options_menu = CreateOptionsMenu(gui, state.strings);
  LoadAndShowProfile(window);

  // The window is complete behind the box; editing works without injection.
  if (state.services.sink == nullptr) {
    gui.ShowMessage(kProgramTitle, state.strings.Get(kNoInjectionMessage),
                    MessageButtons::kOk);
  }

  gui.StartTimer(kPollTimer, kMainWindow, state.device.period_min);
  gui.StartTimer(kViewTimer, kMainWindow, kViewPeriodMs);
}

bool DispatchEvent(AppState& state, const Event& event) {
  Gui& gui = state.services.gui;
  state.last_event = event.kind;
  switch (event.kind) {
    case EventKind::kTimer:
      if (event.number == kPollTimer) {
        state.poll.Run();
      } else if (event.number == kViewTimer) {
        RefreshLiveView(gui, state.device, state.artwork, state.small_font,
                        state.live_images);
      }
      return true;
    case EventKind::kMenu:
      if (event.number >= kMenuInformation &&
          event.number <= kMenuCheckUpdate) {
        RunOptionsMenuItem(state, event.number);
      }
      return true;
    case EventKind::kControl:
      switch (event.number) {
        case kProfileChoice:
          SelectProfile(state.window());
          break;
        case kNewProfileButton:
          CreateProfile(state.window());
          break;
        case kDeleteProfileButton:
          DeleteProfile(state.window());
          break;
        case kLanguageButton:
          ChooseLanguage(state);
          break;
        case kOptionsButton:
          if (state.options_menu) {
            gui.BringToFront(kMainWindow);
            gui.ShowPopupMenu(kOptionsMenu, kMainWindow);
          }
          break;
        default:
          HandleAssignmentEvent(state.window(), event.number);
          break;
      }
      return true;
    case EventKind::kClose:
      return false;
    case EventKind::kNone:
      return true;
  }
  return true;
}

void RunMainLoop(AppState& state) {
  while (DispatchEvent(state, state.services.gui.WaitEvent())) {
  }
}

void ShutDown(AppState& state) {
  // The user was told at start-up; trying anyway could only fail.
  if (state.folder_writable) {
    SaveLanguageSetting(state.current_language);
    SaveLastProfile(state.profiles);
    SaveProfile(state.profiles, state.device, state.injector);
  }
  state.injector.ReleaseAllActions();
  state.pictures = Pictures();
}

void RunProgram(AppState& state) {
  StartUp(state);
  RunMainLoop(state);
  ShutDown(state);
  EndProgram(state);
}

void EndProgram(AppState& state) {
  if (state.services.release) state.services.release(0);
  std::exit(0);
}

}  // namespace rz
