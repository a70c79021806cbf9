#include "platform/xtest/xtest_sink.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>

#include "platform/keys.h"

namespace rz {
namespace {

// X servers number keys as the Linux key code plus 8.
constexpr int kEvdevToXKeycode = 8;

struct ButtonFlags {
  uint32_t down;
  uint32_t up;
  unsigned int button;
};

constexpr ButtonFlags kButtons[] = {
    {kMouseEventLeftDown, kMouseEventLeftUp, Button1},
    {kMouseEventRightDown, kMouseEventRightUp, Button3},
    {kMouseEventMiddleDown, kMouseEventMiddleUp, Button2},
};

class XTestSink final : public InputSink {
 public:
  explicit XTestSink(Display* display) : display_(display) {
    XDisplayKeycodes(display_, &min_keycode_, &max_keycode_);
    unsigned char map[32];
    button_count_ = XGetPointerMapping(display_, map, sizeof(map));
    // Loads the keymap now rather than during a poll.
    XKeysymToKeycode(display_, XK_a);
  }

  ~XTestSink() override { XCloseDisplay(display_); }

  XTestSink(const XTestSink&) = delete;
  XTestSink& operator=(const XTestSink&) = delete;

  void Send(const InputRecord& record) override {
    if (record.type == InputRecord::Type::kKeyboard) {
      SendKey(record);
    } else {
      SendMouse(record);
    }
    XFlush(display_);
  }

 private:
  void SendMouse(const InputRecord& record) {
    const uint32_t flags = record.mouse_flags;
    if ((flags & kMouseEventMove) != 0 && (record.dx != 0 || record.dy != 0)) {
      XTestFakeRelativeMotionEvent(display_, record.dx, record.dy, CurrentTime);
    }
    for (const ButtonFlags& button : kButtons) {
      if ((flags & button.down) != 0) Button(button.button, true);
      if ((flags & button.up) != 0) Button(button.button, false);
    }
    if ((flags & kMouseEventWheel) != 0) {
      const int32_t notches = record.mouse_data / kWheelDelta;
      const unsigned int button = notches > 0 ? Button4 : Button5;
      for (int32_t i = 0; i < std::abs(notches); ++i) {
        Button(button, true);
        Button(button, false);
      }
    }
  }

  void Button(unsigned int button, bool press) {
    // A button the pointer does not have would raise an X error.
    if (static_cast<int>(button) > button_count_) return;
    XTestFakeButtonEvent(display_, button, press ? True : False, CurrentTime);
  }

  void SendKey(const InputRecord& record) {
    const int keycode = Keycode(record);
    // Also rejects 0, "no such key": an X error otherwise.
    if (keycode < min_keycode_ || keycode > max_keycode_) return;
    XTestFakeKeyEvent(display_, static_cast<unsigned int>(keycode),
                      (record.key_flags & kKeyUp) != 0 ? False : True,
                      CurrentTime);
  }

  // A letter or digit virtual key is the key that types it in the layout in
  // force, as on the platform the codes come from; any other key, and any
  // scan word, is the key at its US position.
  int Keycode(const InputRecord& record) {
    if ((record.key_flags & kKeyScanCode) == 0) {
      const KeySym keysym = KeysymFromVirtualKey(record.vk);
      if (keysym != 0) {
        FollowKeymapChanges();
        const KeyCode keycode = XKeysymToKeycode(display_, keysym);
        if (keycode != 0) return keycode;
      }
    }
    const int key = EvdevKeyOfRecord(record);
    return key != 0 ? key + kEvdevToXKeycode : 0;
  }

  // Takes in the keymap changes announced so far, so that a layout switched
  // while the program runs is followed. Reads only what has arrived.
  void FollowKeymapChanges() {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
    }
  }

  Display* display_;
  int min_keycode_ = 0;
  int max_keycode_ = 0;
  int button_count_ = 0;
};

}  // namespace

std::unique_ptr<InputSink> CreateXTestSink() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::make_unique<XTestSink>(display);
}

}  // namespace rz
