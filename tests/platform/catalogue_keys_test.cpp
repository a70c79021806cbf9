#include <gtest/gtest.h>
#include <libevdev/libevdev.h>

#include <map>
#include <string>

#include "engine/actions.h"
#include "platform/keys.h"
#include "tests/platform/test_records.h"

namespace rz {
namespace {

// Name libevdev gives a Linux key code: an account of the codes that does
// not come from our tables.
std::string EvdevName(int code) {
  const char* name = libevdev_event_code_get_name(EV_KEY, code);
  return name != nullptr ? name : "(none)";
}

TEST(CatalogueKeysTest, EveryKeyRowMapsInBothModesToTheSameKey) {
  int key_rows = 0;
  for (int i = 0; i < kActionCount; ++i) {
    const ActionRow& row = kActionRows[i];
    if (row.kind != ActionKind::kKey) continue;
    ++key_rows;
    SCOPED_TRACE("action " + std::to_string(i));
    const auto vk = static_cast<uint16_t>(row.value);
    const auto scan = static_cast<uint16_t>(row.value2);
    const int by_scan = EvdevKeyOfRecord(KeyRecord(0, scan, kKeyScanCode));
    const int by_vk = EvdevKeyOfRecord(KeyRecord(vk, 0, 0));
    EXPECT_NE(by_scan, 0) << "scan word has no key";
    EXPECT_NE(by_vk, 0) << "virtual key has no key";
    EXPECT_EQ(by_vk, by_scan)
        << EvdevName(by_vk) << " vs " << EvdevName(by_scan);
  }
  EXPECT_EQ(key_rows, 86);
}

TEST(CatalogueKeysTest, NoTwoRowsLandOnTheSameKey) {
  std::map<int, int> row_of_key;
  for (int i = 0; i < kActionCount; ++i) {
    const ActionRow& row = kActionRows[i];
    if (row.kind != ActionKind::kKey) continue;
    const int key = EvdevKeyFromScanWord(static_cast<uint16_t>(row.value2));
    const auto [at, fresh] = row_of_key.emplace(key, i);
    EXPECT_TRUE(fresh) << "actions " << at->second << " and " << i
                       << " both press " << EvdevName(key);
  }
}

// Letters, digits, function keys and keypad digits are named after what
// they carry, so their US position follows from the virtual key alone.
std::string UsKeyName(int vk) {
  if (vk >= 'A' && vk <= 'Z')
    return "KEY_" + std::string(1, static_cast<char>(vk));
  if (vk >= '0' && vk <= '9')
    return "KEY_" + std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return "KEY_KP" + std::to_string(vk - 0x60);
  if (vk >= 0x70 && vk <= 0x7B) return "KEY_F" + std::to_string(vk - 0x6F);
  struct Named {
    int vk;
    const char* name;
  };
  constexpr Named kOthers[] = {
      {0x08, "KEY_BACKSPACE"}, {0x09, "KEY_TAB"},
      {0x0D, "KEY_ENTER"},     {0x1B, "KEY_ESC"},
      {0x20, "KEY_SPACE"},     {0x21, "KEY_PAGEUP"},
      {0x22, "KEY_PAGEDOWN"},  {0x23, "KEY_END"},
      {0x24, "KEY_HOME"},      {0x25, "KEY_LEFT"},
      {0x26, "KEY_UP"},        {0x27, "KEY_RIGHT"},
      {0x28, "KEY_DOWN"},      {0x2D, "KEY_INSERT"},
      {0x2E, "KEY_DELETE"},    {0x5B, "KEY_LEFTMETA"},
      {0x5C, "KEY_RIGHTMETA"}, {0x6A, "KEY_KPASTERISK"},
      {0x6B, "KEY_KPPLUS"},    {0x6D, "KEY_KPMINUS"},
      {0x6E, "KEY_KPDOT"},     {0x6F, "KEY_KPSLASH"},
      {0xA0, "KEY_LEFTSHIFT"}, {0xA1, "KEY_RIGHTSHIFT"},
      {0xA2, "KEY_LEFTCTRL"},  {0xA3, "KEY_RIGHTCTRL"},
      {0xA4, "KEY_LEFTALT"},   {0xA5, "KEY_RIGHTALT"},
  };
  for (const Named& key : kOthers) {
    if (key.vk == vk) return key.name;
  }
  return "(unexpected key)";
}

TEST(CatalogueKeysTest, ScanWordsLandOnTheUsPositionOfTheirKey) {
  for (int i = 0; i < kActionCount; ++i) {
    const ActionRow& row = kActionRows[i];
    if (row.kind != ActionKind::kKey) continue;
    SCOPED_TRACE("action " + std::to_string(i));
    EXPECT_EQ(
        EvdevName(EvdevKeyFromScanWord(static_cast<uint16_t>(row.value2))),
        UsKeyName(row.value));
  }
}

TEST(KeyTablesTest, EveryRowIsFoundUnderEachOfItsNames) {
  for (const KeyNames& key : AllKeys()) {
    SCOPED_TRACE(EvdevName(key.evdev));
    EXPECT_NE(EvdevName(key.evdev), "(none)");
    if (key.virtual_key != 0) {
      EXPECT_EQ(EvdevKeyFromVirtualKey(key.virtual_key), key.evdev);
    }
    if (key.direct_input != 0) {
      EXPECT_EQ(EvdevKeyFromScanWord(key.direct_input), key.evdev);
    }
  }
}

TEST(KeyTablesTest, RecordModeChoosesTheCodeAndUnknownCodesGiveNoKey) {
  // Virtual key of A with the scan word of B: the mode decides.
  EXPECT_EQ(EvdevName(EvdevKeyOfRecord(KeyRecord(0x41, 0x0430, 0))), "KEY_A");
  EXPECT_EQ(EvdevName(EvdevKeyOfRecord(KeyRecord(0x41, 0x0430, kKeyScanCode))),
            "KEY_B");
  // Only the low byte of the scan word names the key; key-up changes nothing.
  EXPECT_EQ(
      EvdevName(EvdevKeyOfRecord(KeyRecord(0, 0x0030, kKeyScanCode | kKeyUp))),
      "KEY_B");
  EXPECT_EQ(EvdevKeyFromVirtualKey(0), 0);
  EXPECT_EQ(EvdevKeyFromVirtualKey(0xFF), 0);
  EXPECT_EQ(EvdevKeyFromVirtualKey(0x1241), 0);  // beyond the 8-bit codes
  EXPECT_EQ(EvdevKeyFromScanWord(0x0400), 0);
  EXPECT_EQ(KeysymFromVirtualKey(0xFFFF), 0u);
}

}  // namespace
}  // namespace rz
