#include "profiles/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/actions.h"
#include "engine/injector.h"
#include "engine/joystick.h"
#include "profiles/file_store.h"
#include "profiles/profile_list.h"
#include "tests/profiles/test_support.h"

namespace rz {
namespace {

constexpr char kPath[] = "Configuration/Jeu.qivp";

// The file of a profile with every value at its default, as written.
std::string DefaultProfileText() {
  std::string text = "[Axes]\r\n";
  for (int i = 1; i <= 3; ++i) {
    text += "Axe" + std::to_string(i) + " - Filtre = 0.100000\r\n";
    text += "Axe" + std::to_string(i) + " - Action = 0\r\n";
  }
  text += "[Boutons]\r\n";
  for (int i = 1; i <= 32; ++i) {
    text += "Bouton" + std::to_string(i) + " - Action = 0\r\n";
  }
  text += "[PdV]\r\n";
  for (int i = 1; i <= 4; ++i) {
    text += "PdV" + std::to_string(i) + " - Action = 0\r\n";
  }
  text +=
      "[Souris]\r\n"
      "Souris - Acceleration = 0.250000\r\n"
      "Souris - Vitesse = 0.500000\r\n"
      "[Clavier]\r\n"
      "DirectX = 1\r\n";
  return text;
}

class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() {
    list_.SetCurrent(list_.Add("Jeu"));
    Scramble();
  }

  // Values no load leaves in place unless it reads them.
  void Scramble() {
    for (int i = 1; i <= kMaxSticks; ++i) {
      device_.sticks[i].dead_zone = -9.0f;
      device_.sticks[i].preset = -9;
    }
    for (int i = 1; i <= kMaxButtons; ++i) device_.buttons[i].action = -9;
    for (int i = 1; i <= kHatDirections; ++i) device_.hat[i].action = -9;
    injector_.mouse_acceleration = -9.0f;
    injector_.mouse_speed = -9.0f;
    injector_.scan_code_mode = -9;
  }

  void ExpectDefaults() {
    for (int i = 1; i <= kMaxSticks; ++i) {
      EXPECT_EQ(device_.sticks[i].dead_zone, 0.1f) << "stick " << i;
      EXPECT_EQ(device_.sticks[i].preset, 0) << "stick " << i;
    }
    for (int i = 1; i <= kMaxButtons; ++i) {
      EXPECT_EQ(device_.buttons[i].action, 0) << "button " << i;
    }
    for (int i = 1; i <= kHatDirections; ++i) {
      EXPECT_EQ(device_.hat[i].action, 0) << "hat " << i;
    }
    EXPECT_EQ(injector_.mouse_acceleration, 0.25f);
    EXPECT_EQ(injector_.mouse_speed, 0.5f);
    EXPECT_EQ(injector_.scan_code_mode, 1);
  }

  MemoryFileStore store_;
  ProfileList list_;
  Device device_;
  Catalogue catalogue_;
  Injector injector_{catalogue_, nullptr};
};

TEST_F(ProfileTest, MissingFileLoadsTheDefaultsWhichSaveAsTheExample) {
  LoadProfile(list_, device_, injector_, store_);
  ExpectDefaults();
  SaveProfile(list_, device_, injector_, store_);
  EXPECT_EQ(store_.files[kPath], DefaultProfileText());
}

TEST_F(ProfileTest, SavedValuesLoadBackUnchanged) {
  for (int i = 1; i <= kMaxSticks; ++i) {
    device_.sticks[i].dead_zone = 0.01f * static_cast<float>(6 * i + 1);
    device_.sticks[i].preset = i - 1;
  }
  for (int i = 1; i <= kMaxButtons; ++i) device_.buttons[i].action = 3 * i - 1;
  for (int i = 1; i <= kHatDirections; ++i) device_.hat[i].action = 90 + i;
  injector_.mouse_acceleration = 0.875f;
  injector_.mouse_speed = 0.125f;
  injector_.scan_code_mode = 0;
  SaveProfile(list_, device_, injector_, store_);
  const std::string saved = store_.files[kPath];
  Scramble();
  LoadProfile(list_, device_, injector_, store_);
  // Every field is written, so equal files mean equal values.
  SaveProfile(list_, device_, injector_, store_);
  EXPECT_EQ(store_.files[kPath], saved);
  EXPECT_EQ(device_.sticks[3].dead_zone, 0.19f);
  EXPECT_EQ(device_.buttons[32].action, 95);
  EXPECT_EQ(injector_.mouse_speed, 0.125f);
}

TEST_F(ProfileTest, PartialFileKeepsDefaultsForWhatIsMissing) {
  store_.files[kPath] = "[Souris]\r\nSouris - Vitesse = 1\r\n";
  LoadProfile(list_, device_, injector_, store_);
  EXPECT_EQ(injector_.mouse_speed, 1.0f);
  injector_.mouse_speed = 0.5f;
  ExpectDefaults();
}

TEST_F(ProfileTest, NamesMatchWithoutCaseAndValuesStayAsRead) {
  store_.files[kPath] =
      "[axes]\nAXE2 - FILTRE = 0.125\naxe3 - action = 7\n"
      "[boutons]\nbouton32 - action = 4000\nBouton1 - Action = abc\n"
      "[pdv]\npdv4 - action = -1\n"
      "[souris]\nsouris - vitesse = 0.75\n"
      "[clavier]\ndirectx = 5\n";
  LoadProfile(list_, device_, injector_, store_);
  EXPECT_EQ(device_.sticks[2].dead_zone, 0.125f);
  EXPECT_EQ(device_.sticks[3].preset, 7);
  EXPECT_EQ(device_.buttons[32].action, 4000);
  EXPECT_EQ(device_.buttons[1].action, 0) << "not a number reads as 0";
  EXPECT_EQ(device_.hat[4].action, -1);
  EXPECT_EQ(injector_.mouse_speed, 0.75f);
  EXPECT_EQ(injector_.scan_code_mode, 5);
  EXPECT_EQ(device_.sticks[1].dead_zone, 0.1f);
}

TEST_F(ProfileTest, NoUsableCurrentProfileTouchesNoFile) {
  ProfileList none;
  store_.files["Configuration/.qivp"] = "[Clavier]\r\nDirectX = 0\r\n";
  LoadProfile(none, device_, injector_, store_);
  ExpectDefaults();
  SaveProfile(none, device_, injector_, store_);

  ProfileList escaping;
  escaping.SetCurrent(escaping.Add("../../etc/x"));
  SaveProfile(escaping, device_, injector_, store_);
  EXPECT_EQ(store_.files.size(), 1u);
}

// The real disk filling up half-way through the save.
TEST_F(ProfileTest, SaveInterruptedOnDiskKeepsThePreviousFile) {
  testing::TempFolder folder;
  std::filesystem::create_directory("Configuration");
  const std::string previous = "[Souris]\r\nSouris - Vitesse = 1\r\n";
  testing::TempFolder::Write(kPath, previous);
  {
    testing::FileSizeLimit limit(200);
    SaveProfile(list_, device_, injector_);
  }

  EXPECT_EQ(testing::TempFolder::Read(kPath), previous);
  EXPECT_EQ(testing::TempFolder::List("Configuration"),
            std::set<std::string>{"Jeu.qivp"});
  // With room on the disk the same save goes through.
  LoadProfile(list_, device_, injector_);
  SaveProfile(list_, device_, injector_);
  std::string expected = DefaultProfileText();
  const std::string speed = "Souris - Vitesse = ";
  expected.replace(expected.find(speed + "0.5"), speed.size() + 8,
                   speed + "1.000000");
  EXPECT_EQ(testing::TempFolder::Read(kPath), expected);
}

TEST_F(ProfileTest, FrenchLocaleWritesAndReadsTheSameFile) {
  testing::ScopedLocale locale(testing::kFrenchLocale);
  if (!locale.ok()) GTEST_SKIP() << "locale fr_FR.UTF-8 is not installed";
  LoadProfile(list_, device_, injector_, store_);
  SaveProfile(list_, device_, injector_, store_);
  EXPECT_EQ(store_.files[kPath], DefaultProfileText());
  store_.files[kPath] = "[Souris]\r\nSouris - Vitesse = 0.75\r\n";
  LoadProfile(list_, device_, injector_, store_);
  EXPECT_EQ(injector_.mouse_speed, 0.75f);
}

}  // namespace
}  // namespace rz
