// The key tables of the injection backends: the keys of a US keyboard under
// the platform's virtual-key codes and DirectInput key codes, as Linux evdev
// key codes, and the X keysyms of the virtual keys that follow the layout.
#ifndef RIRUZIRUZO_PLATFORM_KEYS_H_
#define RIRUZIRUZO_PLATFORM_KEYS_H_

#include <cstdint>
#include <span>

#include "platform/input_sink.h"

namespace rz {

// One physical key under each of its names; 0 where a scheme has no name for
// it.
struct KeyNames {
  uint8_t virtual_key;   // virtual-key code
  uint8_t direct_input;  // Set 1 make code, 0x80 added for 0xE0 keys
  uint16_t evdev;        // Linux key code of the key's US position
};

// Every key of the tables, for declaring the keys a virtual device has.
std::span<const KeyNames> AllKeys();

// Linux key code at the US position of a virtual key, or 0 when unknown.
int EvdevKeyFromVirtualKey(uint16_t virtual_key);

// Linux key code of a scan word (its low byte is the DirectInput key code),
// or 0 when unknown.
int EvdevKeyFromScanWord(uint16_t scan);

// X keysym of a virtual key whose key moves with the keyboard layout (a
// letter or a digit), or 0: every other key stays at its US position.
uint32_t KeysymFromVirtualKey(uint16_t virtual_key);

// Linux key code a keyboard record names in its own mode: the scan word when
// kKeyScanCode is set, else the virtual key. 0 when unknown.
int EvdevKeyOfRecord(const InputRecord& record);

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_KEYS_H_
