#include "shell/options_menu.h"

#include "localisation/language_chooser.h"
#include "profiles/profile.h"
#include "profiles/profile_list.h"
#include "shell/app.h"
#include "shell/app_state.h"
#include "shell/side_windows.h"
#include "ui/control_ids.h"

namespace rz {

bool CreateOptionsMenu(Gui& gui, const StringTable& strings) {
  if (!gui.CreatePopupMenu(kOptionsMenu)) return false;
  gui.AppendMenuItem(kOptionsMenu, kMenuInformation, strings.Get(134));
  gui.AppendMenuItem(kOptionsMenu, kMenuCheckUpdate, strings.Get(135));
  gui.AppendMenuSeparator(kOptionsMenu);
  gui.AppendMenuItem(kOptionsMenu, kMenuWebSite, strings.Get(136));
  gui.AppendMenuSeparator(kOptionsMenu);
  gui.AppendMenuItem(kOptionsMenu, kMenuDocument, strings.Get(137));
  return true;
}

void RunOptionsMenuItem(AppState& state, int item) {
  Gui& gui = state.services.gui;
  Desktop& desktop = state.services.desktop;
  switch (item) {
    case kMenuInformation:
      ShowInformation(gui, desktop);
      break;
    case kMenuWebSite:
      OpenWebSite(desktop);
      break;
    case kMenuDocument:
      ShowDocument(gui, desktop, state.strings.Get(138), kMainWindow);
      break;
    case kMenuCheckUpdate:
      RunUpdateChecker(desktop);
      break;
  }
}

void ChooseLanguage(AppState& state) {
  // At start-up there is no current profile yet and nothing is held, so
  // only the language setting is written.
  const LanguageChooserHooks hooks = {
      .save_last_profile = [&state] { SaveLastProfile(state.profiles); },
      .save_profile =
          [&state] {
            SaveProfile(state.profiles, state.device, state.injector);
          },
      .release_all = [&state] { state.injector.ReleaseAllActions(); },
      .end_program = [&state] { EndProgram(state); },
  };
  ChooseLanguage(state.services.gui, state.services.desktop,
                 state.current_language, hooks);
}

}  // namespace rz
