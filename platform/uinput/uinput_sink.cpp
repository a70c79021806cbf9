#include "platform/uinput/uinput_sink.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include "platform/keys.h"
#include "platform/uinput/uinput_events.h"

namespace rz {
namespace {

struct DescriptionDeleter {
  void operator()(libevdev* description) const { libevdev_free(description); }
};

class UinputSink final : public InputSink {
 public:
  explicit UinputSink(libevdev_uinput* device) : device_(device) {}
  ~UinputSink() override { libevdev_uinput_destroy(device_); }

  UinputSink(const UinputSink&) = delete;
  UinputSink& operator=(const UinputSink&) = delete;

  void Send(const InputRecord& record) override {
    const EvdevEvents batch = ToEvdevEvents(record);
    for (int i = 0; i < batch.count; ++i) {
      const EvdevEvent& event = batch.events[i];
      // A refused event is lost, like any record the system refuses.
      libevdev_uinput_write_event(device_, event.type, event.code, event.value);
    }
  }

 private:
  libevdev_uinput* device_;
};

}  // namespace

std::unique_ptr<InputSink> CreateUinputSink() {
  const std::unique_ptr<libevdev, DescriptionDeleter> description(
      libevdev_new());
  if (description == nullptr) return nullptr;
  libevdev* d = description.get();
  libevdev_set_name(d, kUinputDeviceName);
  libevdev_set_id_bustype(d, BUS_VIRTUAL);
  libevdev_enable_event_type(d, EV_REL);
  for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES}) {
    libevdev_enable_event_code(d, EV_REL, code, nullptr);
  }
  libevdev_enable_event_type(d, EV_KEY);
  for (unsigned code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}) {
    libevdev_enable_event_code(d, EV_KEY, code, nullptr);
  }
  for (const KeyNames& key : AllKeys()) {
    libevdev_enable_event_code(d, EV_KEY, key.evdev, nullptr);
  }
  libevdev_uinput* device = nullptr;
  if (libevdev_uinput_create_from_device(d, LIBEVDEV_UINPUT_OPEN_MANAGED,
                                         &device) != 0) {
    return nullptr;
  }
  return std::make_unique<UinputSink>(device);
}

}  // namespace rz
