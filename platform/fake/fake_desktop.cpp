#include "platform/fake/fake_desktop.h"

namespace rz {

bool FakeDesktop::Launch(const std::string& path, bool wait) {
  launched_.push_back({path, wait});
  return launch_result;
}

bool FakeDesktop::Open(const std::string& target) {
  opened_.push_back(target);
  return open_result;
}

bool FakeDesktop::Restart(const std::string& path) {
  restarted_.push_back(path);
  return restart_result;
}

}  // namespace rz
