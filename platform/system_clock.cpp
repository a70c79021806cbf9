#include <chrono>

#include "platform/clock.h"

namespace rz {
namespace {

class SystemClock final : public Clock {
 public:
  uint32_t TickCount() override {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    // Keep the low 32 bits: the counter wraps like the platform's own.
    return static_cast<uint32_t>(ms.count());
  }
};

}  // namespace

std::unique_ptr<Clock> CreateSystemClock() {
  return std::make_unique<SystemClock>();
}

}  // namespace rz
