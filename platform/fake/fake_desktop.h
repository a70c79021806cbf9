// A Desktop that starts nothing: it records every request and answers with
// results the test sets.
#ifndef RIRUZIRUZO_PLATFORM_FAKE_FAKE_DESKTOP_H_
#define RIRUZIRUZO_PLATFORM_FAKE_FAKE_DESKTOP_H_

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace rz {

class FakeDesktop final : public Desktop {
 public:
  struct Launched {
    std::string path;
    bool wait = false;
    friend bool operator==(const Launched&, const Launched&) = default;
  };

  std::string ExecutablePath() override { return executable_path; }
  bool Launch(const std::string& path, bool wait) override;
  bool Open(const std::string& target) override;
  bool Restart(const std::string& path) override;

  const std::vector<Launched>& launched() const { return launched_; }
  const std::vector<std::string>& opened() const { return opened_; }
  const std::vector<std::string>& restarted() const { return restarted_; }

  std::string executable_path;
  bool launch_result = true;
  bool open_result = true;
  bool restart_result = true;

 private:
  std::vector<Launched> launched_;
  std::vector<std::string> opened_;
  std::vector<std::string> restarted_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FAKE_FAKE_DESKTOP_H_
