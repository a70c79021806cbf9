// The profile row of the main window: the profile choice box and the new-
// and delete-profile buttons, switching, creating and deleting profiles.
#ifndef RIRUZIRUZO_UI_PROFILE_CONTROLS_H_
#define RIRUZIRUZO_UI_PROFILE_CONTROLS_H_

#include "ui/main_window.h"

namespace rz {

// Refills the profile choice box with the list and selects the current
// profile (used when the window is built and after a creation).
void FillProfileChoice(const WindowContext& context);

// Loads the current profile into the engine's tables and shows it in the
// controls (start-up calls this once the window is built).
void LoadAndShowProfile(const WindowContext& context);

// Each flow below that makes another profile current loads it, shows it and
// then releases every held input, so nothing the previous assignments
// pressed stays down.

// Event of the profile choice box: saves the profile being left and
// switches to the chosen one. Choosing the current one, or an event without
// a selection, does nothing.
void SelectProfile(const WindowContext& context);

// New-profile button: asks for a name, saves the current profile, checks
// the name (invalid, or taken: its file exists or it is listed already) and
// makes it current with default values.
void CreateProfile(const WindowContext& context);

// Delete-profile button: after a Yes, deletes the current profile's file
// and name and makes the default profile current (adding it when the list
// would be left empty).
void DeleteProfile(const WindowContext& context);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_PROFILE_CONTROLS_H_
