// Whether the program can keep its files in a folder, found out by writing
// there: permission bits do not tell (root ignores them, a read-only mount
// refuses everyone).
#ifndef RIRUZIRUZO_PROFILES_FOLDER_CHECK_H_
#define RIRUZIRUZO_PROFILES_FOLDER_CHECK_H_

#include <filesystem>

namespace rz {

// True when a file can be created in `folder` and removed again now. Tries
// it with an empty, uniquely named hidden file, which it removes. False
// when the folder is missing, is not a folder, or refuses either step.
bool IsFolderWritable(const std::filesystem::path& folder);

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_FOLDER_CHECK_H_
