#include "localisation/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "localisation/string_table.h"
#include "tests/profiles/test_support.h"

namespace rz {
namespace {

using testing::TempFolder;

// A base table of entries 0..20 holding "t<number>", but entry 6 empty.
StringTable BaseTable() {
  std::string file = "20\r\n";
  for (int i = 0; i <= 20; ++i) {
    file += std::to_string(i) + "=t" + std::to_string(i) + "\r\n";
  }
  file += "6=\r\n";
  StringTable strings;
  ParseLanguageFile(file, strings, true);
  return strings;
}

TEST(LanguageNumberTest, DecimalHexadecimalBinaryAndLow32Bits) {
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12},        {" \t12 ", 12},    {"+7x", 7},
      {"-3", -3},        {"$1F", 31},       {"$ff", 255},
      {"%101", 5},       {"%102", 2},       {"-$10", -16},
      {"", 0},           {"x", 0},          {"$", 0},
      {"4294967297", 1}, {"$FFFFFFFF", -1}, {"$123456789", 0x23456789},
      {"1 2", 1}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseLanguageNumber(text), expected) << text;
  }
}

TEST(LanguageFileTest, EntryLinesOfTheBaseFile) {
  StringTable strings;
  ParseLanguageFile(
      "151\r\n"
      "12 = Bonjour\r\n"
      "13=a=b\r\n"
      "\r\n[Menus]\r\nTexte sans signe\r\n[14=x\r\n"
      "x=Texte\r\n"
      "15=#12 suite\r\n"
      "16=#\r\n"
      "17=#$D\r\n"
      "20=avant\r\n20=\r\n"
      "21=Salut \r\n",
      strings, true);
  ASSERT_EQ(strings.size(), 152);
  EXPECT_EQ(strings.Get(12), " Bonjour");
  EXPECT_EQ(strings.Get(13), "a=b");
  EXPECT_EQ(strings.Get(14), "");
  EXPECT_EQ(strings.Get(0), "Texte");
  EXPECT_EQ(strings.Get(15), " Bonjour");
  EXPECT_EQ(strings.Get(16), "Texte");
  EXPECT_EQ(strings.Get(17), "a=b");
  EXPECT_EQ(strings.Get(20), "") << "an empty text replaces in the base file";
  EXPECT_EQ(strings.Get(21), "Salut ");
}

TEST(LanguageFileTest, ReferencesAreResolvedOnceOneLevelDeep) {
  StringTable strings;
  ParseLanguageFile("9\n1=#2\n2=deux\n3=#2\n4=#3\n2=autre\n", strings, true);
  EXPECT_EQ(strings.Get(1), "") << "2 was still empty when 1 was read";
  EXPECT_EQ(strings.Get(3), "deux");
  EXPECT_EQ(strings.Get(4), "deux");
  EXPECT_EQ(strings.Get(2), "autre");
}

TEST(LanguageFileTest, LineEndsOfEveryKind) {
  StringTable strings;
  ParseLanguageFile("5\r1=a\n2=b\r\n\r\n3=c\r\r4=d", strings, true);
  EXPECT_EQ(strings.Get(1), "a");
  EXPECT_EQ(strings.Get(2), "b");
  EXPECT_EQ(strings.Get(3), "c");
  EXPECT_EQ(strings.Get(4), "d");
}

TEST(LanguageFileTest, CurrentLanguageReplacesOnlyWithNonEmptyTexts) {
  StringTable strings = BaseTable();
  ParseLanguageFile(
      "300\n"
      "1=one\n"
      "2=\n"
      "3=#6\n"    // an empty entry: the French text stays
      "7=#2\n"    // the French text of 2
      "4=#1\n"    // the text replaced earlier in this file
      "5=#500\n"  // outside the table: empty, the French text stays
      "250=x\n",
      strings, false);
  EXPECT_EQ(strings.size(), 21) << "only the base file sizes the table";
  EXPECT_EQ(strings.Get(1), "one");
  EXPECT_EQ(strings.Get(2), "t2");
  EXPECT_EQ(strings.Get(3), "t3");
  EXPECT_EQ(strings.Get(7), "t2");
  EXPECT_EQ(strings.Get(4), "one");
  EXPECT_EQ(strings.Get(5), "t5");
  EXPECT_EQ(strings.Get(250), "");
}

TEST(LanguageFileTest, NumbersOutsideTheTableDoNoHarm) {
  StringTable strings;
  ParseLanguageFile("10\n-1=x\n11=x\n$FFFFFFFF=x\n3=#-5\n4=#99999\n", strings,
                    true);
  EXPECT_EQ(strings.size(), 11);
  EXPECT_EQ(strings.Get(-1), "");
  EXPECT_EQ(strings.Get(11), "");
  EXPECT_EQ(strings.Get(3), "");
  EXPECT_EQ(strings.Get(4), "");

  StringTable huge;
  ParseLanguageFile("$7FFFFFFF\n65535=fin\n65536=trop\n", huge, true);
  EXPECT_EQ(huge.size(), kMaxStringNumber + 1);
  EXPECT_EQ(huge.Get(65535), "fin");

  StringTable negative;
  ParseLanguageFile("-4\n0=zero\n1=un\n", negative, true);
  EXPECT_EQ(negative.size(), 1);
  EXPECT_EQ(negative.Get(0), "zero");

  StringTable empty_file;
  ParseLanguageFile("", empty_file, true);
  EXPECT_EQ(empty_file.size(), 1);
}

// "Français = été" in the three forms a language file may take.
TEST(LanguageFileTest, EncodingsGiveTheSameTable) {
  const std::string utf8 =
      "2\r\n1=Fran\xC3\xA7"
      "ais\r\n2=#1\r\n";
  const std::string windows =
      "2\r\n1=Fran\xE7"
      "ais\r\n2=#1\r\n";
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("2\r\n1=Fran_ais\r\n2=#1\r\n")) {
    utf16 += c == '_' ? '\xE7' : c;
    utf16 += '\0';
  }
  for (const std::string& file :
       {utf8, "\xEF\xBB\xBF" + utf8, windows, utf16}) {
    StringTable strings;
    ParseLanguageFile(file, strings, true);
    EXPECT_EQ(strings.size(), 3);
    EXPECT_EQ(strings.Get(1), "Français");
    EXPECT_EQ(strings.Get(2), "Français");
  }
}

TEST(StringTableTest, ResizingKeepsEntriesAndLookupsOutsideAreEmpty) {
  StringTable strings;
  EXPECT_EQ(strings.size(), 2);
  strings.Set(1, "un");
  strings.Resize(5);
  EXPECT_EQ(strings.Get(1), "un");
  EXPECT_EQ(strings.Get(-1), "");
  EXPECT_EQ(strings.Get(5), "");
}

class LoadLanguageTest : public ::testing::Test {
 protected:
  LoadLanguageTest() {
    std::filesystem::create_directory("Rod-Idevora");
    TempFolder::Write("Rod-Idevora/Francais.Txt", "3\n1=un\n2=deux\n3=trois\n");
    TempFolder::Write("Rod-Idevora/English.TXT", "3\n1=one\n3=\n");
  }
  void Load() {
    LoadLanguage(language_, strings_, [this] { ++chooser_calls_; });
  }

  TempFolder folder_;
  std::string language_ = "stale";
  StringTable strings_;
  int chooser_calls_ = 0;
};

TEST_F(LoadLanguageTest, RememberedLanguageOverTheBase) {
  TempFolder::Write("Langue.lng", "Defaut = English \r\n");
  Load();
  EXPECT_EQ(language_, "English");
  EXPECT_EQ(chooser_calls_, 0);
  EXPECT_EQ(strings_.size(), 4);
  EXPECT_EQ(strings_.Get(1), "one");
  EXPECT_EQ(strings_.Get(2), "deux");
  EXPECT_EQ(strings_.Get(3), "trois");
}

TEST_F(LoadLanguageTest, NoRememberedLanguageOpensTheChooserThenLoadsFrench) {
  Load();
  EXPECT_EQ(chooser_calls_, 1);
  EXPECT_EQ(language_, "");
  EXPECT_EQ(strings_.Get(1), "un");
}

TEST_F(LoadLanguageTest, LanguageWithoutItsFileOpensTheChooser) {
  TempFolder::Write("Langue.lng", "Defaut = english\r\n");  // case differs
  Load();
  EXPECT_EQ(chooser_calls_, 1);
  EXPECT_EQ(language_, "english");
  EXPECT_EQ(strings_.Get(1), "un");
  // A directory of that name counts as present.
  std::filesystem::create_directory("Rod-Idevora/english.txt");
  Load();
  EXPECT_EQ(chooser_calls_, 1);
  // Without the folder: the chooser, and the table as it was.
  std::filesystem::remove_all("Rod-Idevora");
  StringTable untouched;
  LoadLanguage(language_, untouched, [this] { ++chooser_calls_; });
  EXPECT_EQ(chooser_calls_, 2);
  EXPECT_EQ(untouched.size(), 2);
}

TEST_F(LoadLanguageTest, NameThatLeavesTheFolderIsUnknown) {
  TempFolder::Write("Secret.txt", "3\n1=fuite\n");
  for (const char* text : {"Defaut = ../Secret\r\n",
                           "Defaut = a\x01"
                           "b\r\n",
                           "Defaut = ..\\Secret\r\n"}) {
    TempFolder::Write("Langue.lng", text);
    chooser_calls_ = 0;
    Load();
    EXPECT_EQ(language_, "") << text;
    EXPECT_EQ(chooser_calls_, 1) << text;
    EXPECT_EQ(strings_.Get(1), "un") << text;
  }
  EXPECT_EQ(FindLanguageFile("../Secret"), "");
}

TEST_F(LoadLanguageTest, SettingIsWrittenAndReadBack) {
  SaveLanguageSetting("English");
  EXPECT_EQ(TempFolder::Read("Langue.lng"), "Defaut = English\r\n");
  Load();
  EXPECT_EQ(language_, "English");
  EXPECT_EQ(chooser_calls_, 0);
}

}  // namespace
}  // namespace rz
