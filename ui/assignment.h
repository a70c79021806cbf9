// Assignment editing: turns an event of an assignment control of the main
// window into a write of the one setting that control edits.
#ifndef RIRUZIRUZO_UI_ASSIGNMENT_H_
#define RIRUZIRUZO_UI_ASSIGNMENT_H_

#include "ui/main_window.h"

namespace rz {

// Reads the state of `control` and writes its setting: hat, preset and
// button choice boxes store the selected position and release every held
// input; dead-zone sliders store position / 100 and update their label;
// speed and acceleration sliders store position / 8; the scan-code check
// box stores 1 or 0. A choice box without a selection and a number that
// names no assignment control of this device change nothing.
void HandleAssignmentEvent(const WindowContext& context, int control);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_ASSIGNMENT_H_
