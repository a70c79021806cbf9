// The running program: start-up, the main loop and its dispatch, the
// shutdown sequence, and EndProgram, the one way out of the process.
#ifndef RIRUZIRUZO_SHELL_APP_H_
#define RIRUZIRUZO_SHELL_APP_H_

#include <string_view>

#include "platform/gui.h"
#include "shell/app_state.h"

namespace rz {

// Title of the program's own message boxes.
inline constexpr std::string_view kProgramTitle = "RiruziruZo";
inline constexpr int kNoInjectionMessage = 152;
inline constexpr int kFolderNotWritableMessage = 153;

// Start-up, the main loop until a close request, the shutdown sequence and
// EndProgram. Never returns.
[[noreturn]] void RunProgram(AppState& state);

// Every start-up step up to and including the start of the two timers.
// Ends the program without writing anything when the program's folder
// cannot be entered, the main window cannot be opened or there is no
// controller (after telling the user). A program folder that takes no
// files is said as soon as the main window is open, and no language is
// asked for then.
void StartUp(AppState& state);

// Handles one event of the main loop. False for a close request, which
// ends the loop.
bool DispatchEvent(AppState& state, const Event& event);

// Blocks for each event and dispatches it until a close request.
void RunMainLoop(AppState& state);

// Writes the language setting, the last-profile file and the current
// profile (when the program's folder takes files), then releases every held
// input and frees the pictures. The order matters: what the user set is saved
// even if a release fails, and nothing stays pressed once the program is gone.
void ShutDown(AppState& state);

// Releases the services the composition root set up and ends the process
// with exit code 0. Saves nothing.
[[noreturn]] void EndProgram(AppState& state);

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_APP_H_
