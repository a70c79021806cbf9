#include "platform/qt/qt_desktop.h"

namespace rz {
namespace {

class QtDesktop final : public Desktop {
 public:
  std::string ExecutablePath() override { return {}; }
  bool Launch(const std::string&, bool) override { return false; }
  bool Open(const std::string&) override { return false; }
  bool Restart(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<Desktop> CreateQtDesktop() {
  return std::make_unique<QtDesktop>();
}

}  // namespace rz
