#include "profiles/folder_check.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/profiles/test_support.h"

namespace rz {
namespace {

using testing::TempFolder;

// Exit codes of the checks that run in a child process.
constexpr int kChildWritable = 10;
constexpr int kChildNotWritable = 11;
constexpr int kChildCannotArrange = 12;

constexpr uid_t kNobody = 65534;

// Runs `check` in a child process, so that a changed user or mount
// namespace ends with it, and returns its exit code (-1 when it died).
template <typename Check>
int RunInChild(Check check) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(check());
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
    return -1;
  }
  return WEXITSTATUS(status);
}

int WritableCode(const std::filesystem::path& folder) {
  return IsFolderWritable(folder) ? kChildWritable : kChildNotWritable;
}

TEST(FolderCheckTest, WritableFolderIsWritableAndKeepsNoFile) {
  TempFolder folder;
  TempFolder::Write("Langue.lng", "kept");
  EXPECT_TRUE(IsFolderWritable(std::filesystem::current_path()));
  EXPECT_TRUE(IsFolderWritable("."));
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>{"Langue.lng"})
      << "the trial file was left behind";
}

TEST(FolderCheckTest, MissingFolderOrFileIsNotWritable) {
  TempFolder folder;
  TempFolder::Write("file", "");
  EXPECT_FALSE(IsFolderWritable("missing"));
  EXPECT_FALSE(IsFolderWritable("file"));
  EXPECT_EQ(TempFolder::List("."), std::set<std::string>{"file"});
}

// The permission bits do not bind root, so the program must not warn root
// about a folder it can write to after all.
TEST(FolderCheckTest, WriteBitsAloneDoNotDecide) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, which ignores the bits";
  TempFolder folder;
  std::filesystem::create_directory("closed");
  ASSERT_EQ(::chmod("closed", 0555), 0);
  EXPECT_TRUE(IsFolderWritable("closed"));
  EXPECT_TRUE(TempFolder::List("closed").empty());
}

// A read-only mount refuses every user, root included.
TEST(FolderCheckTest, ReadOnlyMountIsNotWritable) {
  TempFolder folder;
  std::filesystem::create_directory("mounted");
  const std::string mounted = std::filesystem::absolute("mounted").string();
  const int result = RunInChild([&mounted] {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(mounted.c_str(), mounted.c_str(), nullptr, MS_BIND, nullptr) !=
            0 ||
        ::mount(nullptr, mounted.c_str(), nullptr,
                MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
      return kChildCannotArrange;
    }
    return WritableCode(mounted);
  });
  if (result == kChildCannotArrange) {
    GTEST_SKIP() << "no private mount namespace here (needs CAP_SYS_ADMIN)";
  }
  EXPECT_EQ(result, kChildNotWritable);
  EXPECT_TRUE(IsFolderWritable("mounted")) << "outside the private namespace";
}

// A folder of someone else, without write permission for others, refuses an
// ordinary user. As root the check runs as user nobody in a child.
TEST(FolderCheckTest, FolderClosedToTheUserIsNotWritable) {
  TempFolder folder;
  ASSERT_EQ(::chmod(".", 0755), 0);
  std::filesystem::create_directory("open");
  std::filesystem::create_directory("closed");
  ASSERT_EQ(::chmod("open", 0777), 0);
  ASSERT_EQ(::chmod("closed", ::geteuid() == 0 ? 0755 : 0555), 0);

  const int result = RunInChild([] {
    if (::geteuid() == 0 &&
        (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      return kChildCannotArrange;
    }
    // The open folder tells a refusal for want of permission apart from one
    // for a folder the user cannot even reach.
    if (!IsFolderWritable("open")) return kChildCannotArrange;
    return WritableCode("closed");
  });
  if (result == kChildCannotArrange) {
    GTEST_SKIP() << "cannot act as a user other than the folder's owner";
  }
  EXPECT_EQ(result, kChildNotWritable);
  EXPECT_TRUE(TempFolder::List("open").empty()) << "trial file left behind";
}

}  // namespace
}  // namespace rz
