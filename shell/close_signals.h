// SIGTERM, SIGINT and SIGHUP (a logout, a closing terminal, a service
// manager stopping the program) as close requests: the signals are blocked
// and read from a file descriptor that the event loop watches, so the
// normal shutdown sequence saves the settings and releases held input.
#ifndef RIRUZIRUZO_SHELL_CLOSE_SIGNALS_H_
#define RIRUZIRUZO_SHELL_CLOSE_SIGNALS_H_

#include <signal.h>

namespace rz {

class CloseSignals {
 public:
  // Blocks the three signals in the calling thread, so in every thread it
  // starts afterwards, and opens a descriptor that reads them. Construct it
  // before any other thread starts. When the descriptor cannot be opened
  // the signals are left as they were.
  CloseSignals();
  // Closes the descriptor and restores the signal mask.
  ~CloseSignals();
  CloseSignals(const CloseSignals&) = delete;
  CloseSignals& operator=(const CloseSignals&) = delete;

  // The descriptor to watch for reading, or -1.
  int fd() const { return fd_; }
  // Takes every pending signal without blocking; true when there was one.
  bool Drain();

 private:
  int fd_ = -1;
  sigset_t old_mask_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_CLOSE_SIGNALS_H_
