// The main window: construction of every panel and control at its computed
// place, the device summary, and ShowSettings, which shows the current
// settings in the assignment controls.
#ifndef RIRUZIRUZO_UI_MAIN_WINDOW_H_
#define RIRUZIRUZO_UI_MAIN_WINDOW_H_

#include <cstdint>
#include <string>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "localisation/string_table.h"
#include "platform/gui.h"
#include "profiles/profile_list.h"
#include "ui/artwork.h"
#include "ui/live_view.h"

namespace rz {

// What the window's builders and handlers work on: borrowed parts of the
// application state, filled once by the shell.
struct WindowContext {
  Gui& gui;
  Device& device;
  Catalogue& catalogue;
  Injector& injector;
  ProfileList& profiles;
  const StringTable& strings;
};

// Builds the window header, the scroll area and every panel for the
// device's sticks and buttons (window 0 must be open and the control font
// set). Section headers are drawn with `heading_font` and the icons of
// `pictures`; the live pictures show `live_images` as they are. Fills the
// profile choice box and the device summary; the assignment controls stay
// empty until ShowSettings.
void BuildMainWindow(const WindowContext& context, const Pictures& pictures,
                     int heading_font, const LiveViewImages& live_images);

// Places the options and language picture buttons below the scroll area,
// showing their pictures (blank when a picture is missing).
void PlaceBottomButtons(Gui& gui, const Pictures& pictures);

// The device summary text: name, hat, sticks and buttons lines.
std::string DeviceSummary(const Device& device, const StringTable& strings);

// Refills and sets every assignment control from the current settings; the
// profile choice box is not touched. Called after every profile load.
void ShowSettings(const WindowContext& context);

// Empties `control`, appends every action (preset) name in list order and
// selects entry `index`, or none when no entry has that position.
void FillActionChoice(Gui& gui, int control, const Catalogue& catalogue,
                      int32_t index);
void FillPresetChoice(Gui& gui, int control, const Catalogue& catalogue,
                      int32_t index);

// The device's stick and button counts, kept within the tables.
int StickCount(const Device& device);
int ButtonCount(const Device& device);

// A setting as shown in a slider or label: value x scale rounded to the
// nearest integer, halves to even; NaN shows as 0 and values beyond the int
// range as its ends.
int ShownValue(float value, int scale);

// The text of a dead-zone label: the shown percentage followed by "%".
std::string DeadZoneText(float dead_zone);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_MAIN_WINDOW_H_
