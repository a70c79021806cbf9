#include "shell/qt_close_signals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

namespace rz {

std::unique_ptr<QObject> WatchCloseSignals(CloseSignals& close_signals,
                                           Gui& gui) {
  if (close_signals.fd() < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(close_signals.fd(),
                                                    QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated,
                   [&close_signals, &gui] {
                     if (!close_signals.Drain()) return;
                     gui.PostEvent({EventKind::kClose, 0, 0});
                     // A modal box waits in a loop of its own: close it as
                     // the user could, so the program reaches the request.
                     if (QWidget* modal = QApplication::activeModalWidget()) {
                       modal->close();
                     }
                   });
  return notifier;
}

}  // namespace rz
