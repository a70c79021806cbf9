#include "profiles/profile_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/profiles/test_support.h"

namespace rz {
namespace {

using testing::TempFolder;
using Names = std::vector<std::string>;

constexpr char kDefault[] = "Defaut";

ProfileList ListOf(const Names& names) {
  ProfileList list;
  for (const std::string& name : names) list.Add(name);
  return list;
}

TEST(ProfileListTest, SortsCapitalsAsSmallLettersAndOtherBytesUnsigned) {
  EXPECT_EQ(ListOf({"b", "A", "c"}).names(), (Names{"A", "b", "c"}));
  // "_" lies between "Z" and "a" in plain byte order; folded, before both.
  EXPECT_EQ(ListOf({"Zed", "_x", "alpha"}).names(),
            (Names{"_x", "alpha", "Zed"}));
  // Bytes of accented letters are above every ASCII letter.
  EXPECT_EQ(ListOf({"été", "zebre", "Ab"}).names(),
            (Names{"Ab", "zebre", "été"}));
  // Names that sort equal keep the order in which they came.
  EXPECT_EQ(ListOf({"a", "A", "ab"}).names(), (Names{"a", "A", "ab"}));
  EXPECT_EQ(ListOf({"A", "a"}).names(), (Names{"A", "a"}));
}

TEST(ProfileListTest, CurrentProfileFollowsItsNameThroughInsertions) {
  ProfileList list = ListOf({"m", "z"});
  list.SetCurrent(list.FindFirst("m"));
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.current_name(), "m");
  EXPECT_EQ(list.Add("q"), 2);
  EXPECT_EQ(list.current_name(), "m");
  EXPECT_EQ(list.FindFirst("M"), -1) << "equality respects case";
  list.SetCurrent(7);
  EXPECT_FALSE(list.has_current());
  EXPECT_EQ(list.current_name(), "");
}

TEST(ProfileListTest, RemovingTheCurrentProfileAlwaysLeavesOneCurrent) {
  ProfileList list = ListOf({"a", kDefault, "z"});
  list.SetCurrent(list.FindFirst("z"));
  list.RemoveCurrent();
  EXPECT_FALSE(list.has_current());
  EXPECT_FALSE(list.SelectDefault(kDefault));
  EXPECT_EQ(list.current_name(), kDefault);

  list = ListOf({"a", "b"});
  list.SetCurrent(0);
  list.RemoveCurrent();
  list.SelectDefault(kDefault);
  EXPECT_EQ(list.current_name(), "b") << "without the default: the last";

  // The only profile, which is not the default one.
  list = ListOf({"seul"});
  list.SetCurrent(0);
  list.RemoveCurrent();
  EXPECT_TRUE(list.SelectDefault(kDefault));
  EXPECT_EQ(list.names(), Names{kDefault});
  EXPECT_EQ(list.current_name(), kDefault);
}

TEST(ProfileNameTest, RefusesWhatCannotNameAFileInTheFolder) {
  for (const char* name :
       {"a/b", "a:b", "quoi?", "a\\b", "a*b", "<a", "a>", "a|b", "\"a\"",
        "tab\there", "new\nline", "", "..\\..\\x", "../x"}) {
    EXPECT_FALSE(IsValidProfileName(name)) << name;
  }
  for (const char* name : {"Mon profil", "v1.2", "..", "Élan ñ", "a;b=c"}) {
    EXPECT_TRUE(IsValidProfileName(name)) << name;
  }
  EXPECT_TRUE(IsValidProfileName(std::string(250, 'x')));
  EXPECT_FALSE(IsValidProfileName(std::string(251, 'x')))
      << "name + .qivp longer than 255 bytes";
}

TEST(ProfileFilesTest, ScanListsProfileFilesOnlyInOrder) {
  TempFolder folder;
  std::filesystem::create_directories("Configuration/x.qivp");
  for (const char* file :
       {"b.qivp", "A.qivp", "c.qivp", "notes.txt", "upper.QIVP", ".qivp",
        "bad:name.qivp", "bad\xE9.qivp", "c.qivp.bak"}) {
    TempFolder::Write(std::string("Configuration/") + file, "");
  }
  ProfileList list;
  ScanProfiles(list);
  EXPECT_EQ(list.names(), (Names{"A", "b", "c"}));
  EXPECT_FALSE(list.has_current());
}

TEST(ProfileFilesTest, MissingFolderGivesTheRememberedNameOnly) {
  TempFolder folder;
  ProfileList list;
  ScanProfiles(list);
  EXPECT_TRUE(list.empty());
  RestoreLastProfile(list, kDefault);
  EXPECT_EQ(list.names(), Names{kDefault});
  EXPECT_EQ(list.current(), 0);
  // Nothing can be saved there, and nothing is created.
  EXPECT_FALSE(ProfileFileExists(kDefault));
}

TEST(ProfileFilesTest, RememberedNameIsInsertedInOrderAndCurrent) {
  TempFolder folder;
  TempFolder::Write("Configuration.qivp", "Configuration = Milieu\r\n");
  ProfileList list = ListOf({"Avant", "Zapres"});
  RestoreLastProfile(list, kDefault);
  EXPECT_EQ(list.names(), (Names{"Avant", "Milieu", "Zapres"}));
  EXPECT_EQ(list.current(), 1);

  // Already in the list: made current, not added again.
  TempFolder::Write("Configuration.qivp", "Configuration = Zapres\r\n");
  RestoreLastProfile(list, kDefault);
  EXPECT_EQ(list.size(), 3);
  EXPECT_EQ(list.current_name(), "Zapres");
}

TEST(ProfileFilesTest, RememberedNameThatCouldEscapeTheFolderIsReplaced) {
  TempFolder folder;
  for (const char* text :
       {"Configuration = ../../.bashrc\r\n", "Configuration =\r\n",
        "Configuration = C:\\x\r\n", "Autre = x\r\n", ""}) {
    TempFolder::Write("Configuration.qivp", text);
    ProfileList list = ListOf({"a"});
    RestoreLastProfile(list, kDefault);
    EXPECT_EQ(list.current_name(), kDefault) << text;
  }
}

TEST(ProfileFilesTest, LastProfileFileRoundTrips) {
  TempFolder folder;
  ProfileList list = ListOf({"Jeu été"});
  SaveLastProfile(list);
  EXPECT_FALSE(std::filesystem::exists("Configuration.qivp"))
      << "written without a current profile";
  list.SetCurrent(0);
  SaveLastProfile(list);
  EXPECT_EQ(TempFolder::Read("Configuration.qivp"),
            "Configuration = Jeu été\r\n");
  ProfileList restored;
  RestoreLastProfile(restored, kDefault);
  EXPECT_EQ(restored.current_name(), "Jeu été");
}

TEST(ProfileFilesTest, ExistenceAndDeletionOfProfileFiles) {
  TempFolder folder;
  std::filesystem::create_directories("Configuration/dossier.qivp");
  TempFolder::Write("Configuration/fichier.qivp", "x");
  EXPECT_EQ(ProfilePath("a b"), "Configuration/a b.qivp");
  EXPECT_TRUE(ProfileFileExists("fichier"));
  EXPECT_TRUE(ProfileFileExists("dossier"));
  EXPECT_FALSE(ProfileFileExists("autre"));

  EXPECT_FALSE(DeleteProfileFile("dossier"));
  EXPECT_TRUE(std::filesystem::is_directory("Configuration/dossier.qivp"));
  EXPECT_TRUE(DeleteProfileFile("fichier"));
  EXPECT_FALSE(ProfileFileExists("fichier"));
  EXPECT_FALSE(DeleteProfileFile("fichier"));

  TempFolder::Write("outside.qivp", "x");
  EXPECT_FALSE(ProfileFileExists("../outside"));
  EXPECT_FALSE(DeleteProfileFile("../outside"));
  EXPECT_TRUE(std::filesystem::exists("outside.qivp"));
}

}  // namespace
}  // namespace rz
