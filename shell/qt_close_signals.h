// Delivery of the close signals in the Qt event loop.
#ifndef RIRUZIRUZO_SHELL_QT_CLOSE_SIGNALS_H_
#define RIRUZIRUZO_SHELL_QT_CLOSE_SIGNALS_H_

#include <QObject>
#include <memory>

#include "platform/gui.h"
#include "shell/close_signals.h"

namespace rz {

// Watches `close_signals` while the event loop runs and posts a close request
// of the main window to `gui` whenever one arrives. A modal box open at that
// moment is closed (a message box then answers OK or No, a requester gives
// the empty text). Null when `close_signals` has no descriptor. The watch
// ends when the returned object is destroyed; both arguments must outlive it.
std::unique_ptr<QObject> WatchCloseSignals(CloseSignals& close_signals,
                                           Gui& gui);

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_QT_CLOSE_SIGNALS_H_
