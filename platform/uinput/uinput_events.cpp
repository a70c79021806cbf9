#include "platform/uinput/uinput_events.h"

#include <linux/input-event-codes.h>

#include "platform/keys.h"

namespace rz {
namespace {

struct ButtonFlags {
  uint32_t down;
  uint32_t up;
  uint16_t code;
};

constexpr ButtonFlags kButtons[] = {
    {kMouseEventLeftDown, kMouseEventLeftUp, BTN_LEFT},
    {kMouseEventRightDown, kMouseEventRightUp, BTN_RIGHT},
    {kMouseEventMiddleDown, kMouseEventMiddleUp, BTN_MIDDLE},
};

}  // namespace

EvdevEvents ToEvdevEvents(const InputRecord& record) {
  EvdevEvents out;
  auto add = [&out](int type, int code, int32_t value) {
    out.events[out.count++] = {static_cast<uint16_t>(type),
                               static_cast<uint16_t>(code), value};
  };
  if (record.type == InputRecord::Type::kKeyboard) {
    const int key = EvdevKeyOfRecord(record);
    if (key != 0) add(EV_KEY, key, (record.key_flags & kKeyUp) != 0 ? 0 : 1);
  } else {
    const uint32_t flags = record.mouse_flags;
    if ((flags & kMouseEventMove) != 0) {
      if (record.dx != 0) add(EV_REL, REL_X, record.dx);
      if (record.dy != 0) add(EV_REL, REL_Y, record.dy);
    }
    for (const ButtonFlags& button : kButtons) {
      if ((flags & button.down) != 0) add(EV_KEY, button.code, 1);
      if ((flags & button.up) != 0) add(EV_KEY, button.code, 0);
    }
    if ((flags & kMouseEventWheel) != 0 && record.mouse_data != 0) {
      // Whole notches for readers of the classic wheel; the high-resolution
      // axis counts in the same 1/120 steps as the record.
      const int32_t notches = record.mouse_data / kWheelDelta;
      if (notches != 0) add(EV_REL, REL_WHEEL, notches);
      add(EV_REL, REL_WHEEL_HI_RES, record.mouse_data);
    }
  }
  if (out.count > 0) add(EV_SYN, SYN_REPORT, 0);
  return out;
}

}  // namespace rz
