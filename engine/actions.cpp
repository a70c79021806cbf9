#include "engine/actions.h"

#include <utility>

namespace rz {

namespace {
constexpr ActionKind kNone = ActionKind::kNone;
constexpr ActionKind kMoveX = ActionKind::kMouseMoveX;
constexpr ActionKind kMoveY = ActionKind::kMouseMoveY;
constexpr ActionKind kButton = ActionKind::kMouseButton;
constexpr ActionKind kWheel = ActionKind::kMouseWheel;
constexpr ActionKind kKey = ActionKind::kKey;
}  // namespace

// Profiles store positions in this list: the order must never change.
// Key rows: value is the virtual-key code, value2 the scan word (0x04 high
// byte, DirectInput key code low byte, 0x80 set for 0xE0-prefixed keys).
const ActionRow kActionRows[kActionCount] = {
    {124, kNone, 0, 0},
    {67, kMoveY, 0x0001, -1},
    {117, kMoveX, 0x0001, +1},
    {118, kMoveY, 0x0001, +1},
    {4, kMoveX, 0x0001, -1},
    {119, kButton, 0x0002, 0x0004},
    {120, kButton, 0x0008, 0x0010},
    {121, kButton, 0x0020, 0x0040},
    {122, kWheel, 0x0800, +1},
    {123, kWheel, 0x0800, -1},
    {1, kKey, 0x08, 0x040E},   // Backspace
    {2, kKey, 0x09, 0x040F},   // Tab
    {3, kKey, 0x0D, 0x041C},   // Enter
    {5, kKey, 0x1B, 0x0401},   // Escape
    {6, kKey, 0x20, 0x0439},   // Space
    {7, kKey, 0x21, 0x04C9},   // Page Up
    {8, kKey, 0x22, 0x04D1},   // Page Down
    {9, kKey, 0x23, 0x04CF},   // End
    {10, kKey, 0x24, 0x04C7},  // Home
    {11, kKey, 0x25, 0x04CB},  // Left arrow
    {12, kKey, 0x26, 0x04C8},  // Up arrow
    {13, kKey, 0x27, 0x04CD},  // Right arrow
    {14, kKey, 0x28, 0x04D0},  // Down arrow
    {15, kKey, 0x2D, 0x04D2},  // Insert
    {16, kKey, 0x2E, 0x04D3},  // Delete
    {17, kKey, 0x30, 0x040B},  // 0
    {18, kKey, 0x31, 0x0402},  // 1
    {19, kKey, 0x32, 0x0403},  // 2
    {20, kKey, 0x33, 0x0404},  // 3
    {21, kKey, 0x34, 0x0405},  // 4
    {22, kKey, 0x35, 0x0406},  // 5
    {23, kKey, 0x36, 0x0407},  // 6
    {24, kKey, 0x37, 0x0408},  // 7
    {25, kKey, 0x38, 0x0409},  // 8
    {26, kKey, 0x39, 0x040A},  // 9
    {27, kKey, 0x41, 0x041E},  // A
    {28, kKey, 0x42, 0x0430},  // B
    {29, kKey, 0x43, 0x042E},  // C
    {30, kKey, 0x44, 0x0420},  // D
    {31, kKey, 0x45, 0x0412},  // E
    {32, kKey, 0x46, 0x0421},  // F
    {33, kKey, 0x47, 0x0422},  // G
    {34, kKey, 0x48, 0x0423},  // H
    {35, kKey, 0x49, 0x0417},  // I
    {36, kKey, 0x4A, 0x0424},  // J
    {37, kKey, 0x4B, 0x0425},  // K
    {38, kKey, 0x4C, 0x0426},  // L
    {39, kKey, 0x4D, 0x0432},  // M
    {40, kKey, 0x4E, 0x0431},  // N
    {41, kKey, 0x4F, 0x0418},  // O
    {42, kKey, 0x50, 0x0419},  // P
    {43, kKey, 0x51, 0x0410},  // Q
    {44, kKey, 0x52, 0x0413},  // R
    {45, kKey, 0x53, 0x041F},  // S
    {46, kKey, 0x54, 0x0414},  // T
    {47, kKey, 0x55, 0x0416},  // U
    {48, kKey, 0x56, 0x042F},  // V
    {49, kKey, 0x57, 0x0411},  // W
    {50, kKey, 0x58, 0x042D},  // X
    {51, kKey, 0x59, 0x0415},  // Y
    {52, kKey, 0x5A, 0x042C},  // Z
    {53, kKey, 0x5B, 0x04DB},  // Left Windows
    {54, kKey, 0x5C, 0x04DC},  // Right Windows
    {55, kKey, 0x60, 0x0452},  // Keypad 0
    {56, kKey, 0x61, 0x044F},  // Keypad 1
    {57, kKey, 0x62, 0x0450},  // Keypad 2
    {58, kKey, 0x63, 0x0451},  // Keypad 3
    {59, kKey, 0x64, 0x044B},  // Keypad 4
    {60, kKey, 0x65, 0x044C},  // Keypad 5
    {61, kKey, 0x66, 0x044D},  // Keypad 6
    {62, kKey, 0x67, 0x0447},  // Keypad 7
    {63, kKey, 0x68, 0x0448},  // Keypad 8
    {64, kKey, 0x69, 0x0449},  // Keypad 9
    {65, kKey, 0x6A, 0x0437},  // Keypad *
    {66, kKey, 0x6B, 0x044E},  // Keypad +
    {68, kKey, 0x6D, 0x044A},  // Keypad -
    {70, kKey, 0x6F, 0x04B5},  // Keypad /
    {69, kKey, 0x6E, 0x0453},  // Keypad decimal point
    {71, kKey, 0x70, 0x043B},  // F1
    {72, kKey, 0x71, 0x043C},  // F2
    {73, kKey, 0x72, 0x043D},  // F3
    {74, kKey, 0x73, 0x043E},  // F4
    {75, kKey, 0x74, 0x043F},  // F5
    {76, kKey, 0x75, 0x0440},  // F6
    {77, kKey, 0x76, 0x0441},  // F7
    {78, kKey, 0x77, 0x0442},  // F8
    {79, kKey, 0x78, 0x0443},  // F9
    {80, kKey, 0x79, 0x0444},  // F10
    {81, kKey, 0x7A, 0x0457},  // F11
    {82, kKey, 0x7B, 0x0458},  // F12
    {83, kKey, 0xA0, 0x042A},  // Left Shift
    {84, kKey, 0xA1, 0x0436},  // Right Shift
    {85, kKey, 0xA2, 0x041D},  // Left Ctrl
    {86, kKey, 0xA3, 0x049D},  // Right Ctrl
    {87, kKey, 0xA4, 0x0438},  // Left Alt
    {88, kKey, 0xA5, 0x04B8},  // Right Alt
};

const PresetRow kPresetRows[kPresetCount] = {
    {125, 0, 0, 0, 0},      // nothing
    {126, 1, 2, 3, 4},      // mouse pointer
    {127, 20, 21, 22, 19},  // arrow keys
};

void Catalogue::AddAction(std::string name, ActionKind kind, int32_t value,
                          int32_t value2) {
  if (kind == ActionKind::kKey) value2 &= 0xFFFF;
  actions_.push_back(Action{kind, 0.0f, value, value2, std::move(name)});
}

void Catalogue::AddStickPreset(std::string name, int32_t up, int32_t right,
                               int32_t down, int32_t left) {
  presets_.push_back(StickPreset{up, right, down, left, std::move(name)});
}

void BuildCatalogue(Catalogue& catalogue,
                    const std::function<std::string(int)>& name_of) {
  catalogue = Catalogue();
  for (const ActionRow& row : kActionRows) {
    catalogue.AddAction(name_of(row.string_number), row.kind, row.value,
                        row.value2);
  }
  for (const PresetRow& row : kPresetRows) {
    catalogue.AddStickPreset(name_of(row.string_number), row.up, row.right,
                             row.down, row.left);
  }
}

int ChoiceSelection(int32_t index, int count) {
  return index >= 0 && index < count ? index : -1;
}

}  // namespace rz
