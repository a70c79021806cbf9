// A Gui over the fake that lets a test act as the user each time the code
// under test waits for an event: windows that run a loop of their own can
// then be driven and inspected while they are open.
#ifndef RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_
#define RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_gui.h"
#include "platform/forwarding_gui.h"
#include "platform/gui.h"

namespace rz::testing {

class ActingGui final : public ForwardingGui {
 public:
  explicit ActingGui(FakeGui& fake) : ForwardingGui(fake) {}

  // Runs before each wait with the number of earlier waits.
  std::function<void(int wait)> on_wait;
  // Every event handed out, in order.
  const std::vector<Event>& delivered() const { return delivered_; }

  Event WaitEvent() override {
    if (on_wait) on_wait(static_cast<int>(delivered_.size()));
    const Event event = inner_.WaitEvent();
    delivered_.push_back(event);
    return event;
  }

 private:
  std::vector<Event> delivered_;
};

}  // namespace rz::testing

#endif  // RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_
