// Whole-file reads and all-or-nothing writes for the settings files: the one
// place where the settings code touches the disk, so tests and fuzzers can
// run it over memory instead.
#ifndef RIRUZIRUZO_PROFILES_FILE_STORE_H_
#define RIRUZIRUZO_PROFILES_FILE_STORE_H_

#include <map>
#include <string>
#include <string_view>

namespace rz {

class FileStore {
 public:
  virtual ~FileStore() = default;

  // Reads the whole regular file at `path` into `bytes`. False when it is
  // missing, not a regular file or unreadable; `bytes` is then empty.
  virtual bool ReadFile(const std::string& path, std::string* bytes) = 0;

  // True when a file could be written at `path` now: its folder exists and
  // is writable, and `path` itself is not a directory.
  virtual bool CanWrite(const std::string& path) = 0;

  // Replaces the file at `path` by `bytes` in one step: afterwards the file
  // holds either all of `bytes` (true) or exactly what it held before
  // (false), and nothing else is left in its folder.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
};

// The real file system, paths relative to the working directory. A write
// goes to a temporary file in the same folder, is flushed to the disk and
// then renamed over the old file.
class DiskFileStore final : public FileStore {
 public:
  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool CanWrite(const std::string& path) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;
};

// Files held in memory, for tests and fuzzers. `folder_writable` false makes
// CanWrite and WriteFile fail; `writes_fail` makes only WriteFile fail, as a
// disk that fills up while writing would.
class MemoryFileStore final : public FileStore {
 public:
  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool CanWrite(const std::string& path) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;

  std::map<std::string, std::string> files;
  bool folder_writable = true;
  bool writes_fail = false;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_FILE_STORE_H_
