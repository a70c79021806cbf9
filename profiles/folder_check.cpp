#include "profiles/folder_check.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace rz {

bool IsFolderWritable(const std::filesystem::path& folder) {
  // Hidden, so that no listing of the program would pick it up; mkostemp
  // creates it exclusively under a name no other file has.
  std::string name = (folder / ".riruziruzo-write-test-XXXXXX").string();
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  // A folder that takes new files but lets none go (an append-only one)
  // would refuse the renames that saving relies on.
  return ::unlink(name.c_str()) == 0;
}

}  // namespace rz
