#include "shell/qt_close_signals.h"

#include <QSocketNotifier>

namespace rz {

std::unique_ptr<QObject> WatchCloseSignals(CloseSignals& close_signals,
                                           Gui& gui) {
  if (close_signals.fd() < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(close_signals.fd(),
                                                    QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated,
                   [&close_signals, &gui] {
                     if (close_signals.Drain()) {
                       gui.PostEvent({EventKind::kClose, 0, 0});
                     }
                   });
  return notifier;
}

}  // namespace rz
