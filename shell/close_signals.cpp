#include "shell/close_signals.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace rz {
namespace {

sigset_t CloseSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

CloseSignals::CloseSignals() {
  const sigset_t set = CloseSignalSet();
  if (pthread_sigmask(SIG_BLOCK, &set, &old_mask_) != 0) return;
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  // Without a descriptor a blocked signal would never be seen: let the
  // signals act as before rather than be lost.
  if (fd_ < 0) pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
}

CloseSignals::~CloseSignals() {
  if (fd_ < 0) return;
  close(fd_);
  pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
}

bool CloseSignals::Drain() {
  if (fd_ < 0) return false;
  bool any = false;
  signalfd_siginfo info;
  while (read(fd_, &info, sizeof(info)) == static_cast<ssize_t>(sizeof(info))) {
    any = true;
  }
  return any;
}

}  // namespace rz
