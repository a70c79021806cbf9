// Starting programs and handing files or addresses to the desktop.
//
// Ownership: the composition root owns it. Error convention: each call
// returns false when it could not do what was asked; nothing is printed.
// No call goes through a shell.
#ifndef RIRUZIRUZO_PLATFORM_DESKTOP_H_
#define RIRUZIRUZO_PLATFORM_DESKTOP_H_

#include <string>

namespace rz {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Full path of this program's executable file ("" when unknown).
  virtual std::string ExecutablePath() = 0;
  // Starts `path` with no arguments in the inherited working directory;
  // with `wait`, returns only when that process has ended.
  virtual bool Launch(const std::string& path, bool wait) = 0;
  // Hands a file path or an address to the desktop's default handler.
  virtual bool Open(const std::string& target) = 0;
  // Starts this program's own executable `path` anew, with no arguments and
  // the inherited working directory, without waiting.
  virtual bool Restart(const std::string& path) = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_DESKTOP_H_
