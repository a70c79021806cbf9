// The Desktop seam on Qt: starting programs and handing files or addresses to
// the desktop's default handler.
#ifndef RIRUZIRUZO_PLATFORM_QT_QT_DESKTOP_H_
#define RIRUZIRUZO_PLATFORM_QT_QT_DESKTOP_H_

#include <memory>

#include "platform/desktop.h"

namespace rz {

// Open() needs a QGuiApplication (created by the program's entry point);
// the other calls work without one.
std::unique_ptr<Desktop> CreateQtDesktop();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_QT_QT_DESKTOP_H_
