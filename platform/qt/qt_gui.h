// The Gui seam on Qt 6 Widgets: windows, controls, menus, timers, modal boxes
// and text rendering.
#ifndef RIRUZIRUZO_PLATFORM_QT_QT_GUI_H_
#define RIRUZIRUZO_PLATFORM_QT_QT_GUI_H_

#include <memory>

#include "platform/gui.h"

namespace rz {

// Needs a QApplication, created by the program's entry point before this
// call and alive as long as the returned Gui; the Gui finds it through
// QCoreApplication::instance() and turns off its quit-on-last-window-closed,
// since windows close only when the program closes them. Returns nullptr
// when there is no QApplication.
std::unique_ptr<Gui> CreateQtGui();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_QT_QT_GUI_H_
