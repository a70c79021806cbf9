// The options menu behind the options button, and the entry points of its
// items and of the language button.
#ifndef RIRUZIRUZO_SHELL_OPTIONS_MENU_H_
#define RIRUZIRUZO_SHELL_OPTIONS_MENU_H_

#include "localisation/string_table.h"
#include "platform/gui.h"

namespace rz {

struct AppState;

// Creates popup menu 159: information (160), update check (163), a
// separator, web site (161), a separator, document (162). False, with no
// item added, when the menu cannot be created.
bool CreateOptionsMenu(Gui& gui, const StringTable& strings);

// A choice of the options menu, by item number (160 to 163).
void RunOptionsMenuItem(AppState& state, int item);

// The language button, and start-up when no usable language is remembered:
// lets the user pick the interface language. Returns with the language
// unchanged, or ends the program.
void ChooseLanguage(AppState& state);

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_OPTIONS_MENU_H_
