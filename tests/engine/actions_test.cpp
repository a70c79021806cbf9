#include "engine/actions.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/engine/catalogue_fixture.h"

namespace rz {
namespace {

using test::MakeCatalogue;

TEST(CatalogueTest, BuildsBothListsInStoredOrderWithTheirNames) {
  Catalogue catalogue = MakeCatalogue();
  ASSERT_EQ(catalogue.action_count(), 96);
  ASSERT_EQ(catalogue.preset_count(), 3);
  // Name numbers that do not follow the list order.
  EXPECT_EQ(catalogue.action(0).name, "s124");
  EXPECT_EQ(catalogue.action(1).name, "s67");
  EXPECT_EQ(catalogue.action(4).name, "s4");
  EXPECT_EQ(catalogue.action(75).name, "s68");
  EXPECT_EQ(catalogue.action(76).name, "s70");
  EXPECT_EQ(catalogue.action(77).name, "s69");
  EXPECT_EQ(catalogue.action(95).name, "s88");
  EXPECT_EQ(catalogue.preset(2).name, "s127");
  EXPECT_EQ(catalogue.action(0).kind, ActionKind::kNone);
  for (const Action& action : catalogue.actions()) {
    EXPECT_EQ(action.last_strength, 0.0f) << action.name;
  }
  const StickPreset& arrows = catalogue.preset(test::kArrowPreset);
  EXPECT_EQ(arrows.up, test::kUpArrow);
  EXPECT_EQ(arrows.right, test::kRightArrow);
  EXPECT_EQ(arrows.down, test::kDownArrow);
  EXPECT_EQ(arrows.left, test::kLeftArrow);

  // Building again starts from empty lists.
  BuildCatalogue(catalogue, [](int) { return std::string(); });
  EXPECT_EQ(catalogue.action_count(), 96);
  EXPECT_EQ(catalogue.preset_count(), 3);
}

TEST(CatalogueTest, EveryKeyHasItsOwnScanWordInTheKeyRowForm) {
  std::set<int32_t> scan_words;
  int keys = 0;
  for (const ActionRow& row : kActionRows) {
    if (row.kind != ActionKind::kKey) continue;
    ++keys;
    EXPECT_EQ(row.value2 & 0xFF00, 0x0400) << "key " << row.value;
    EXPECT_TRUE(scan_words.insert(row.value2).second)
        << "scan word 0x" << std::hex << row.value2 << " used twice";
  }
  EXPECT_EQ(keys, 86);
}

TEST(CatalogueTest, AddActionKeepsOnlyTheLowSixteenBitsForKeys) {
  Catalogue catalogue;
  catalogue.AddAction("key", ActionKind::kKey, 0x41, 65537);
  catalogue.AddAction("negative key", ActionKind::kKey, 0x41, -1);
  catalogue.AddAction("left", ActionKind::kMouseMoveX, 1, -1);
  ASSERT_EQ(catalogue.action_count(), 3);
  EXPECT_EQ(catalogue.action(0).value2, 1);
  EXPECT_EQ(catalogue.action(1).value2, 0xFFFF);
  EXPECT_EQ(catalogue.action(2).value2, -1);
  EXPECT_EQ(catalogue.action(2).name, "left");
}

TEST(CatalogueTest, ChoiceSelectionShowsOnlyPositionsOfTheList) {
  EXPECT_EQ(ChoiceSelection(0, kActionCount), 0);
  EXPECT_EQ(ChoiceSelection(95, kActionCount), 95);
  EXPECT_EQ(ChoiceSelection(96, kActionCount), -1);
  EXPECT_EQ(ChoiceSelection(-1, kActionCount), -1);
  EXPECT_EQ(ChoiceSelection(3, kPresetCount), -1);
  EXPECT_EQ(ChoiceSelection(0, 0), -1);
}

}  // namespace
}  // namespace rz
