#include "profiles/file_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/profiles/test_support.h"

namespace rz {
namespace {

using testing::FileSizeLimit;
using testing::TempFolder;

TEST(DiskFileStoreTest, WriteReplacesTheFileAndLeavesNothingElse) {
  TempFolder folder;
  std::filesystem::create_directory("Configuration");
  TempFolder::Write("Configuration/a.qivp", "old");
  ::chmod("Configuration/a.qivp", 0640);
  DiskFileStore store;
  EXPECT_TRUE(store.WriteFile("Configuration/a.qivp", "new content"));
  std::string bytes;
  EXPECT_TRUE(store.ReadFile("Configuration/a.qivp", &bytes));
  EXPECT_EQ(bytes, "new content");
  EXPECT_EQ(TempFolder::List("Configuration"), std::set<std::string>{"a.qivp"});
  struct stat info;
  ASSERT_EQ(::stat("Configuration/a.qivp", &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "permissions were not kept";

  // A bare name lives in the working directory.
  EXPECT_TRUE(store.WriteFile("Langue.lng", ""));
  EXPECT_TRUE(store.ReadFile("Langue.lng", &bytes));
  EXPECT_EQ(bytes, "");
}

TEST(DiskFileStoreTest, WriteThatFailsPartWayKeepsTheOldFile) {
  TempFolder folder;
  TempFolder::Write("f.qivp", "previous");
  DiskFileStore store;
  const std::string big(4096, 'x');
  {
    FileSizeLimit limit(100);
    EXPECT_FALSE(store.WriteFile("f.qivp", big));
  }
  EXPECT_EQ(TempFolder::Read("f.qivp"), "previous");
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>{"f.qivp"})
      << "a temporary file was left behind";
}

TEST(DiskFileStoreTest, RefusesWhatIsNotAWritableFile) {
  TempFolder folder;
  std::filesystem::create_directory("dir.qivp");
  DiskFileStore store;
  EXPECT_FALSE(store.CanWrite("Missing/a.qivp"));
  EXPECT_FALSE(store.WriteFile("Missing/a.qivp", "x"));
  EXPECT_FALSE(store.CanWrite("dir.qivp"));
  EXPECT_FALSE(store.WriteFile("dir.qivp", "x"));
  EXPECT_TRUE(std::filesystem::is_directory("dir.qivp"));
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>{"dir.qivp"});
  EXPECT_TRUE(store.CanWrite("new.qivp"));

  std::string bytes = "stale";
  EXPECT_FALSE(store.ReadFile("absent", &bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_FALSE(store.ReadFile("dir.qivp", &bytes));
  // A FIFO has no writer: opening it normally would block for ever.
  ASSERT_EQ(::mkfifo("pipe.qivp", 0600), 0);
  EXPECT_FALSE(store.ReadFile("pipe.qivp", &bytes));
}

}  // namespace
}  // namespace rz
