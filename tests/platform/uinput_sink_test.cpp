#include "platform/uinput/uinput_sink.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/keys.h"
#include "platform/uinput/uinput_events.h"
#include "tests/platform/test_records.h"

namespace rz {

// Readable failure messages.
void PrintTo(const EvdevEvent& event, std::ostream* os) {
  const char* type = libevdev_event_type_get_name(event.type);
  const char* code = libevdev_event_code_get_name(event.type, event.code);
  *os << "{" << (type != nullptr ? type : "?") << " "
      << (code != nullptr ? code : "?") << " " << event.value << "}";
}

namespace {

using Events = std::vector<EvdevEvent>;
constexpr EvdevEvent kReport = {EV_SYN, SYN_REPORT, 0};

Events Translate(const InputRecord& record) {
  const EvdevEvents batch = ToEvdevEvents(record);
  return Events(batch.events.begin(), batch.events.begin() + batch.count);
}

TEST(UinputEventsTest, MotionIsRelativeAndZeroMotionSendsNothing) {
  EXPECT_EQ(Translate(MouseRecord(kMouseEventMove, 5, -3)),
            (Events{{EV_REL, REL_X, 5}, {EV_REL, REL_Y, -3}, kReport}));
  EXPECT_EQ(Translate(MouseRecord(kMouseEventMove, -7, 0)),
            (Events{{EV_REL, REL_X, -7}, kReport}));
  EXPECT_EQ(Translate(MouseRecord(kMouseEventMove, 0, 2)),
            (Events{{EV_REL, REL_Y, 2}, kReport}));
  EXPECT_TRUE(Translate(MouseRecord(kMouseEventMove, 0, 0)).empty());
  EXPECT_TRUE(Translate(MouseRecord(0, 4, 4)).empty())
      << "no move flag, no motion";
}

TEST(UinputEventsTest, ButtonFlagsPressAndReleaseTheirButton) {
  struct Case {
    uint32_t flags;
    uint16_t code;
    int32_t value;
  };
  constexpr Case kCases[] = {
      {kMouseEventLeftDown, BTN_LEFT, 1},
      {kMouseEventLeftUp, BTN_LEFT, 0},
      {kMouseEventRightDown, BTN_RIGHT, 1},
      {kMouseEventRightUp, BTN_RIGHT, 0},
      {kMouseEventMiddleDown, BTN_MIDDLE, 1},
      {kMouseEventMiddleUp, BTN_MIDDLE, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE("flags " + std::to_string(c.flags));
    EXPECT_EQ(Translate(MouseRecord(c.flags)),
              (Events{{EV_KEY, c.code, c.value}, kReport}));
  }
}

TEST(UinputEventsTest, WheelNotchTurnsBothWheelAxes) {
  EXPECT_EQ(
      Translate(MouseRecord(kMouseEventWheel, 0, 0, 120)),
      (Events{
          {EV_REL, REL_WHEEL, 1}, {EV_REL, REL_WHEEL_HI_RES, 120}, kReport}));
  EXPECT_EQ(
      Translate(MouseRecord(kMouseEventWheel, 0, 0, -120)),
      (Events{
          {EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL_HI_RES, -120}, kReport}));
  // Less than a notch only reaches readers of the fine axis.
  EXPECT_EQ(Translate(MouseRecord(kMouseEventWheel, 0, 0, 60)),
            (Events{{EV_REL, REL_WHEEL_HI_RES, 60}, kReport}));
  // What a wheel action sends when it lets go: a record with no effect.
  EXPECT_TRUE(Translate(MouseRecord(0)).empty());
  EXPECT_TRUE(Translate(MouseRecord(kMouseEventWheel)).empty());
}

TEST(UinputEventsTest, KeysInBothModesWithKeyUp) {
  // Letter A in scan-code mode (press 0x0008, release 0x000A).
  EXPECT_EQ(Translate(KeyRecord(0, 0x041E, kKeyScanCode)),
            (Events{{EV_KEY, KEY_A, 1}, kReport}));
  EXPECT_EQ(Translate(KeyRecord(0, 0x041E, kKeyScanCode | kKeyUp)),
            (Events{{EV_KEY, KEY_A, 0}, kReport}));
  // Right Ctrl: the 0xE0 key is told by the 0x80 bit, no extended flag.
  EXPECT_EQ(Translate(KeyRecord(0, 0x049D, kKeyScanCode)),
            (Events{{EV_KEY, KEY_RIGHTCTRL, 1}, kReport}));
  // Virtual-key mode (press 0, release 0x0002).
  EXPECT_EQ(Translate(KeyRecord(0x41, 0, 0)),
            (Events{{EV_KEY, KEY_A, 1}, kReport}));
  EXPECT_EQ(Translate(KeyRecord(0x41, 0, kKeyUp)),
            (Events{{EV_KEY, KEY_A, 0}, kReport}));
  // Unknown codes send nothing.
  EXPECT_TRUE(Translate(KeyRecord(0xFF, 0, 0)).empty());
  EXPECT_TRUE(Translate(KeyRecord(0, 0x0400, kKeyScanCode)).empty());
}

// The virtual device, opened for reading from its event node.
class DeviceReader {
 public:
  ~DeviceReader() {
    if (device_ != nullptr) libevdev_free(device_);
    if (fd_ >= 0) close(fd_);
  }

  // Waits for the device node of the sink to appear.
  bool Open() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) {
      if (TryOpen()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  libevdev* device() const { return device_; }

  // The next `count` events other than SYN_DROPPED, waiting up to a second.
  Events Read(size_t count) {
    Events events;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (events.size() < count &&
           std::chrono::steady_clock::now() < deadline) {
      input_event event;
      const int rc =
          libevdev_next_event(device_, LIBEVDEV_READ_FLAG_NORMAL, &event);
      if (rc == LIBEVDEV_READ_STATUS_SUCCESS) {
        events.push_back({event.type, event.code, event.value});
      } else {
        pollfd pfd = {fd_, POLLIN, 0};
        poll(&pfd, 1, 20);
      }
    }
    return events;
  }

 private:
  bool TryOpen() {
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/dev/input", error)) {
      if (entry.path().filename().string().rfind("event", 0) != 0) continue;
      const int fd = open(entry.path().c_str(), O_RDONLY | O_NONBLOCK);
      if (fd < 0) continue;
      libevdev* device = nullptr;
      if (libevdev_new_from_fd(fd, &device) == 0 &&
          std::string(libevdev_get_name(device)) == kUinputDeviceName) {
        fd_ = fd;
        device_ = device;
        return true;
      }
      if (device != nullptr) libevdev_free(device);
      close(fd);
    }
    return false;
  }

  int fd_ = -1;
  libevdev* device_ = nullptr;
};

TEST(UinputSinkTest, VirtualDeviceDeliversEachRecordAsOneReport) {
  auto sink = CreateUinputSink();
  if (sink == nullptr) {
    GTEST_SKIP() << "/dev/uinput cannot be opened here (no uinput module, or "
                    "no write permission): the virtual device is not tested";
  }
  DeviceReader reader;
  if (!reader.Open()) {
    GTEST_SKIP() << "the virtual device was created but its event node "
                    "cannot be read here";
  }
  for (int code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}) {
    EXPECT_TRUE(libevdev_has_event_code(reader.device(), EV_KEY, code));
  }
  for (const KeyNames& key : AllKeys()) {
    EXPECT_TRUE(libevdev_has_event_code(reader.device(), EV_KEY, key.evdev))
        << "key " << key.evdev << " not declared";
  }
  for (int code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES}) {
    EXPECT_TRUE(libevdev_has_event_code(reader.device(), EV_REL, code));
  }

  sink->Send(MouseRecord(kMouseEventMove, 5, -3));
  sink->Send(MouseRecord(kMouseEventMove, 0, 0));  // nothing
  sink->Send(MouseRecord(kMouseEventLeftDown));
  sink->Send(MouseRecord(kMouseEventLeftUp));
  sink->Send(MouseRecord(kMouseEventWheel, 0, 0, -120));
  sink->Send(KeyRecord(0, 0x041E, kKeyScanCode));
  sink->Send(KeyRecord(0x41, 0, kKeyUp));
  const Events expected = {
      {EV_REL, REL_X, 5},
      {EV_REL, REL_Y, -3},
      kReport,
      {EV_KEY, BTN_LEFT, 1},
      kReport,
      {EV_KEY, BTN_LEFT, 0},
      kReport,
      {EV_REL, REL_WHEEL, -1},
      {EV_REL, REL_WHEEL_HI_RES, -120},
      kReport,
      {EV_KEY, KEY_A, 1},
      kReport,
      {EV_KEY, KEY_A, 0},
      kReport,
  };
  EXPECT_EQ(reader.Read(expected.size()), expected);
}

}  // namespace
}  // namespace rz
