#include "shell/options_menu.h"

#include "shell/app_state.h"
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

// TODO(side windows): the information box, the update checker, the web site
// and the document viewer are not built yet; until then the items do
// nothing.
void RunOptionsMenuItem(AppState&, int) {}

// TODO(language chooser): the chooser window is not built yet. Until then
// the program goes on as if the chooser had been closed: the language stays
// as it is and the French base texts fill whatever it does not provide.
void ChooseLanguage(AppState&) {}

}  // namespace rz
