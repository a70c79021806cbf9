#include "profiles/settings_file.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <string>

#include "profiles/file_store.h"
#include "tests/profiles/test_support.h"

namespace rz {
namespace {

constexpr char kPath[] = "p.qivp";

class SettingsFileTest : public ::testing::Test {
 protected:
  // Opens `text` as the content of a file.
  void Open(const std::string& text) {
    store_.files[kPath] = text;
    ASSERT_TRUE(settings_.OpenSettings(kPath));
  }
  std::string Written() { return store_.files[kPath]; }

  MemoryFileStore store_;
  SettingsFile settings_{store_};
};

TEST_F(SettingsFileTest, ReadsTheLineFormsOfTheFormat) {
  Open(
      "  [AXES]\r\n"
      "bouton1 - action = 3\r\n"
      "\tAxe1 - Filtre   =   0.15  \r\n"
      ";note\r\n"
      "Vitesse =\r\n"
      "Titre = a = b \r\n"
      "[Groupe] rest ignored\r\n"
      "Cle = 1\r\n"
      "[Ouvert\r\n"
      "Cle = 2\r\n");
  EXPECT_TRUE(settings_.SelectGroup("Axes"));
  EXPECT_EQ(settings_.ReadSettingInteger("Bouton1 - Action", -1), 3);
  EXPECT_EQ(settings_.ReadSettingString("Axe1 - Filtre", "x"), "0.15");
  // An empty value is present: 0 and "", never the caller's default.
  EXPECT_EQ(settings_.ReadSettingInteger("Vitesse", 7), 0);
  EXPECT_EQ(settings_.ReadSettingFloat("Vitesse", 7), 0.0f);
  EXPECT_EQ(settings_.ReadSettingString("Vitesse", "d"), "");
  EXPECT_EQ(settings_.ReadSettingString("Titre", ""), "a = b");
  EXPECT_EQ(settings_.ReadSettingString("note", "d"), "d");
  EXPECT_EQ(settings_.ReadSettingString(";note", "d"), "d");
  EXPECT_TRUE(settings_.SelectGroup("Groupe"));
  EXPECT_EQ(settings_.ReadSettingInteger("Cle", 0), 1);
  EXPECT_TRUE(settings_.SelectGroup("OUVERT"));
  EXPECT_EQ(settings_.ReadSettingInteger("Cle", 0), 2);
}

TEST_F(SettingsFileTest, LineEndsOfEveryKindGiveTheSameLines) {
  for (const std::string end : {"\r\n", "\n", "\r", "\n\n\r\r\n"}) {
    Open("Top = t" + end + "[G]" + end + "A = 1" + end + end + "B = 2");
    EXPECT_EQ(settings_.ReadSettingString("Top", ""), "t");
    settings_.SelectGroup("G");
    EXPECT_EQ(settings_.ReadSettingInteger("B", 0), 2);
  }
}

TEST_F(SettingsFileTest, LookupStaysInsideTheSelectedSection) {
  Open("Cle = haut\r\n[A]\r\nCle = a\r\nCle = a2\r\n[B]\r\nAutre = b\r\n");
  EXPECT_EQ(settings_.ReadSettingString("Cle", ""), "haut");
  settings_.SelectGroup("B");
  EXPECT_EQ(settings_.ReadSettingString("Cle", "defaut"), "defaut");
  settings_.SelectGroup("A");
  EXPECT_EQ(settings_.ReadSettingString("Cle", ""), "a");  // first one wins
  // A group that does not exist hides every key, even those elsewhere.
  EXPECT_FALSE(settings_.SelectGroup("Manque"));
  EXPECT_EQ(settings_.ReadSettingInteger("Cle", 9), 9);
  EXPECT_TRUE(settings_.SelectGroup(""));
  EXPECT_EQ(settings_.ReadSettingString("Cle", ""), "haut");
  // A missing file reads as defaults and takes no writes.
  EXPECT_FALSE(settings_.OpenSettings("absent"));
  EXPECT_EQ(settings_.ReadSettingFloat("Cle", 0.5f), 0.5f);
  settings_.WriteSettingString("Cle", "v");
  settings_.CloseSettings();
  EXPECT_EQ(store_.files.count("absent"), 0u);
}

TEST_F(SettingsFileTest, NumbersReadLikeCButSafely) {
  Open(
      "a = 42abc\nb = -7\nc = +5\nd = abc\ne = 99999999999\n"
      "f = -99999999999\ng = - 3\n"
      "h = 1e-1\ni = -.5\nj = nan\nk = inf\nl = 1e999\nm = -1e39\n"
      "n = 1e-999\no = 0,75\np = 0x1p3\n");
  const std::pair<const char*, int32_t> integers[] = {
      {"a", 42},        {"b", -7},        {"c", 5}, {"d", 0},
      {"e", INT32_MAX}, {"f", INT32_MIN}, {"g", 0}};
  for (const auto& [key, expected] : integers) {
    EXPECT_EQ(settings_.ReadSettingInteger(key, 1), expected) << key;
  }
  // Only finite decimal numbers: nothing the engine could not compute with.
  const std::pair<const char*, float> floats[] = {
      {"a", 42.0f},   {"h", 0.1f},     {"i", -0.5f}, {"j", 0.0f}, {"k", 0.0f},
      {"l", FLT_MAX}, {"m", -FLT_MAX}, {"n", 0.0f},  {"o", 0.0f}, {"p", 0.0f}};
  for (const auto& [key, expected] : floats) {
    EXPECT_EQ(settings_.ReadSettingFloat(key, 1.0f), expected) << key;
  }
}

TEST_F(SettingsFileTest, CreatedFileHasTheWrittenFormsInWritingOrder) {
  ASSERT_TRUE(settings_.CreateSettings(kPath));
  settings_.SelectGroup("Souris");
  settings_.WriteSettingFloat("Souris - Acceleration", 0.25f);
  settings_.WriteSettingFloat("souris - vitesse", 0.5f);
  settings_.WriteSettingFloat("Souris - Vitesse", 0.1f);  // replaces
  settings_.SelectGroup("Vide");  // selected but never written: no line
  settings_.SelectGroup("Clavier");
  settings_.WriteSettingInteger("DirectX", -12);
  settings_.WriteSettingString("Nom", "été = chaud");
  settings_.SelectGroup("");
  settings_.WriteSettingString("Haut", "1");
  settings_.SelectGroup("G\r\n[X");
  settings_.WriteSettingString("Defaut", "a\r\nInjected = 1");
  settings_.CloseSettings();
  EXPECT_EQ(Written(),
            "Haut = 1\r\n"
            "[Souris]\r\n"
            "Souris - Acceleration = 0.250000\r\n"
            "Souris - Vitesse = 0.100000\r\n"
            "[Clavier]\r\n"
            "DirectX = -12\r\n"
            "Nom = été = chaud\r\n"
            "[G  [X]\r\n"
            "Defaut = a  Injected = 1\r\n");
}

TEST_F(SettingsFileTest, NewKeysGoToTheEndOfTheirSection) {
  Open(";  deux\r\n[A]\r\nx = 1\r\n[B]\r\ny = 2\r\nstray line\r\n");
  settings_.SelectGroup("a");
  settings_.WriteSettingInteger("z", 3);
  settings_.SelectGroup("");
  settings_.WriteSettingInteger("t", 0);
  settings_.CloseSettings();
  EXPECT_EQ(Written(),
            ";  deux\r\nt = 0\r\n[A]\r\nx = 1\r\nz = 3\r\n[B]\r\ny = 2\r\n"
            "stray line\r\n");
}

TEST_F(SettingsFileTest, CreatedFileIsWrittenWhenTheBufferEnds) {
  store_.files[kPath] = "old = 1\r\n";
  ASSERT_TRUE(settings_.CreateSettings(kPath));
  settings_.SelectGroup("Rien");
  settings_.OpenSettings("other");
  EXPECT_EQ(Written(), "") << "nothing written: an empty file";
  {
    SettingsFile scoped(store_);
    ASSERT_TRUE(scoped.CreateSettings("scoped"));
    scoped.WriteSettingString("k", "w");
  }
  EXPECT_EQ(store_.files["scoped"], "k = w\r\n");
}

TEST_F(SettingsFileTest, FailedSavesLeaveTheOldFile) {
  store_.files[kPath] = "old = 1\r\n";
  store_.folder_writable = false;
  EXPECT_FALSE(settings_.CreateSettings(kPath));
  settings_.WriteSettingString("k", "v");
  settings_.CloseSettings();
  store_.folder_writable = true;
  ASSERT_TRUE(settings_.CreateSettings(kPath));
  settings_.WriteSettingString("k", "v");
  store_.writes_fail = true;
  settings_.CloseSettings();
  EXPECT_EQ(Written(), "old = 1\r\n");
}

TEST_F(SettingsFileTest, TextIsDecodedToUtf8) {
  // UTF-8 mark: removed, and kept when the buffer is written back.
  Open("\xEF\xBB\xBFNom = \xC3\xA9t\xC3\xA9\r\n");
  EXPECT_EQ(settings_.ReadSettingString("Nom", ""), "été");
  settings_.WriteSettingString("Nom", "hiver");
  settings_.CloseSettings();
  EXPECT_EQ(Written(), "\xEF\xBB\xBFNom = hiver\r\n");
  Open("Nom = \xC3\xA9t\xC3\xA9\r\n");
  EXPECT_EQ(settings_.ReadSettingString("Nom", ""), "été");
  Open("Nom = \xE9t\xE9 \x80\r\n");  // not UTF-8: the Windows code page
  EXPECT_EQ(settings_.ReadSettingString("Nom", ""), "été €");
  Open(std::string("\xFF\xFEN\0=\0\xE9\0", 8));
  EXPECT_EQ(settings_.ReadSettingString("N", ""), "é");
}

// Found by fuzzing: written without a mark, the line's first character was
// taken for one on the next read, which made the line a group line.
TEST_F(SettingsFileTest, LeadingZeroWidthSpaceIsNotTakenForTheMark) {
  Open("\r\n\xEF\xBB\xBF[G]\r\n");
  settings_.WriteSettingString("Cle", "v");
  settings_.CloseSettings();
  Open(Written());
  EXPECT_EQ(settings_.ReadSettingString("Cle", ""), "v");
  EXPECT_FALSE(settings_.SelectGroup("G"));
}

TEST_F(SettingsFileTest, NumbersIgnoreTheProcessLocale) {
  testing::ScopedLocale locale(testing::kFrenchLocale);
  if (!locale.ok()) GTEST_SKIP() << "locale fr_FR.UTF-8 is not installed";
  Open("f = 0.75\r\ng = 1,5\r\n");
  EXPECT_EQ(settings_.ReadSettingFloat("f", 0), 0.75f);
  EXPECT_EQ(settings_.ReadSettingFloat("g", 0), 1.0f);
  settings_.CreateSettings(kPath);
  settings_.WriteSettingFloat("f", 1234567.5f);
  settings_.WriteSettingInteger("i", -1234567);
  settings_.CloseSettings();
  EXPECT_EQ(Written(), "f = 1234567.500000\r\ni = -1234567\r\n");
}

}  // namespace
}  // namespace rz
