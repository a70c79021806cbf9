#include "platform/keys.h"

#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <array>

namespace rz {
namespace {

// Virtual key, DirectInput code, Linux key.
constexpr KeyNames kKeys[] = {
    {0x08, 0x0E, KEY_BACKSPACE},
    {0x09, 0x0F, KEY_TAB},
    {0x0D, 0x1C, KEY_ENTER},
    {0x00, 0x9C, KEY_KPENTER},    // no virtual key of its own
    {0x10, 0x00, KEY_LEFTSHIFT},  // either Shift
    {0x11, 0x00, KEY_LEFTCTRL},
    {0x12, 0x00, KEY_LEFTALT},
    {0x13, 0xC5, KEY_PAUSE},
    {0x14, 0x3A, KEY_CAPSLOCK},
    {0x1B, 0x01, KEY_ESC},
    {0x20, 0x39, KEY_SPACE},
    {0x21, 0xC9, KEY_PAGEUP},
    {0x22, 0xD1, KEY_PAGEDOWN},
    {0x23, 0xCF, KEY_END},
    {0x24, 0xC7, KEY_HOME},
    {0x25, 0xCB, KEY_LEFT},
    {0x26, 0xC8, KEY_UP},
    {0x27, 0xCD, KEY_RIGHT},
    {0x28, 0xD0, KEY_DOWN},
    {0x2C, 0xB7, KEY_SYSRQ},
    {0x2D, 0xD2, KEY_INSERT},
    {0x2E, 0xD3, KEY_DELETE},
    {0x30, 0x0B, KEY_0},
    {0x31, 0x02, KEY_1},
    {0x32, 0x03, KEY_2},
    {0x33, 0x04, KEY_3},
    {0x34, 0x05, KEY_4},
    {0x35, 0x06, KEY_5},
    {0x36, 0x07, KEY_6},
    {0x37, 0x08, KEY_7},
    {0x38, 0x09, KEY_8},
    {0x39, 0x0A, KEY_9},
    {0x41, 0x1E, KEY_A},
    {0x42, 0x30, KEY_B},
    {0x43, 0x2E, KEY_C},
    {0x44, 0x20, KEY_D},
    {0x45, 0x12, KEY_E},
    {0x46, 0x21, KEY_F},
    {0x47, 0x22, KEY_G},
    {0x48, 0x23, KEY_H},
    {0x49, 0x17, KEY_I},
    {0x4A, 0x24, KEY_J},
    {0x4B, 0x25, KEY_K},
    {0x4C, 0x26, KEY_L},
    {0x4D, 0x32, KEY_M},
    {0x4E, 0x31, KEY_N},
    {0x4F, 0x18, KEY_O},
    {0x50, 0x19, KEY_P},
    {0x51, 0x10, KEY_Q},
    {0x52, 0x13, KEY_R},
    {0x53, 0x1F, KEY_S},
    {0x54, 0x14, KEY_T},
    {0x55, 0x16, KEY_U},
    {0x56, 0x2F, KEY_V},
    {0x57, 0x11, KEY_W},
    {0x58, 0x2D, KEY_X},
    {0x59, 0x15, KEY_Y},
    {0x5A, 0x2C, KEY_Z},
    {0x5B, 0xDB, KEY_LEFTMETA},
    {0x5C, 0xDC, KEY_RIGHTMETA},
    {0x5D, 0xDD, KEY_COMPOSE},
    {0x60, 0x52, KEY_KP0},
    {0x61, 0x4F, KEY_KP1},
    {0x62, 0x50, KEY_KP2},
    {0x63, 0x51, KEY_KP3},
    {0x64, 0x4B, KEY_KP4},
    {0x65, 0x4C, KEY_KP5},
    {0x66, 0x4D, KEY_KP6},
    {0x67, 0x47, KEY_KP7},
    {0x68, 0x48, KEY_KP8},
    {0x69, 0x49, KEY_KP9},
    {0x6A, 0x37, KEY_KPASTERISK},
    {0x6B, 0x4E, KEY_KPPLUS},
    {0x6D, 0x4A, KEY_KPMINUS},
    {0x6E, 0x53, KEY_KPDOT},
    {0x6F, 0xB5, KEY_KPSLASH},
    {0x70, 0x3B, KEY_F1},
    {0x71, 0x3C, KEY_F2},
    {0x72, 0x3D, KEY_F3},
    {0x73, 0x3E, KEY_F4},
    {0x74, 0x3F, KEY_F5},
    {0x75, 0x40, KEY_F6},
    {0x76, 0x41, KEY_F7},
    {0x77, 0x42, KEY_F8},
    {0x78, 0x43, KEY_F9},
    {0x79, 0x44, KEY_F10},
    {0x7A, 0x57, KEY_F11},
    {0x7B, 0x58, KEY_F12},
    {0x90, 0x45, KEY_NUMLOCK},
    {0x91, 0x46, KEY_SCROLLLOCK},
    {0xA0, 0x2A, KEY_LEFTSHIFT},
    {0xA1, 0x36, KEY_RIGHTSHIFT},
    {0xA2, 0x1D, KEY_LEFTCTRL},
    {0xA3, 0x9D, KEY_RIGHTCTRL},
    {0xA4, 0x38, KEY_LEFTALT},
    {0xA5, 0xB8, KEY_RIGHTALT},
    {0xBA, 0x27, KEY_SEMICOLON},
    {0xBB, 0x0D, KEY_EQUAL},
    {0xBC, 0x33, KEY_COMMA},
    {0xBD, 0x0C, KEY_MINUS},
    {0xBE, 0x34, KEY_DOT},
    {0xBF, 0x35, KEY_SLASH},
    {0xC0, 0x29, KEY_GRAVE},
    {0xDB, 0x1A, KEY_LEFTBRACE},
    {0xDC, 0x2B, KEY_BACKSLASH},
    {0xDD, 0x1B, KEY_RIGHTBRACE},
    {0xDE, 0x28, KEY_APOSTROPHE},
    {0xE2, 0x56, KEY_102ND},
};

constexpr int kNoRow = -1;
using RowIndex = std::array<int16_t, 256>;

// Row of each code, so that a lookup in the poll cycle is one array read.
template <uint8_t KeyNames::*kCode>
constexpr RowIndex IndexBy() {
  RowIndex index{};
  index.fill(kNoRow);
  for (int row = 0; row < static_cast<int>(std::size(kKeys)); ++row) {
    const uint8_t code = kKeys[row].*kCode;
    if (code != 0 && index[code] == kNoRow) {
      index[code] = static_cast<int16_t>(row);
    }
  }
  return index;
}

constexpr RowIndex kRowOfVirtualKey = IndexBy<&KeyNames::virtual_key>();
constexpr RowIndex kRowOfDirectInput = IndexBy<&KeyNames::direct_input>();

const KeyNames* Row(const RowIndex& index, uint16_t code) {
  if (code >= index.size() || index[code] == kNoRow) return nullptr;
  return &kKeys[index[code]];
}

}  // namespace

std::span<const KeyNames> AllKeys() { return kKeys; }

int EvdevKeyFromVirtualKey(uint16_t virtual_key) {
  const KeyNames* key = Row(kRowOfVirtualKey, virtual_key);
  return key != nullptr ? key->evdev : 0;
}

int EvdevKeyFromScanWord(uint16_t scan) {
  const KeyNames* key = Row(kRowOfDirectInput, scan & 0xFF);
  return key != nullptr ? key->evdev : 0;
}

uint32_t KeysymFromVirtualKey(uint16_t virtual_key) {
  if (virtual_key >= 'A' && virtual_key <= 'Z') {
    return static_cast<uint32_t>(XK_a + (virtual_key - 'A'));
  }
  if (virtual_key >= '0' && virtual_key <= '9') {
    return static_cast<uint32_t>(XK_0 + (virtual_key - '0'));
  }
  return 0;
}

int EvdevKeyOfRecord(const InputRecord& record) {
  return (record.key_flags & kKeyScanCode) != 0
             ? EvdevKeyFromScanWord(record.scan)
             : EvdevKeyFromVirtualKey(record.vk);
}

}  // namespace rz
