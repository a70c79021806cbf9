// The reader and writer of the group/key settings files (profiles, the
// last-profile file and the language setting): one buffer at a time, parsed
// into memory on open and written back whole on close.
#ifndef RIRUZIRUZO_PROFILES_SETTINGS_FILE_H_
#define RIRUZIRUZO_PROFILES_SETTINGS_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/file_store.h"

namespace rz {

// Files hold lines of these forms, each ending with CR LF when written:
//   [group]          a group line
//   ; text           a comment line
//   key = value      a key line
// Keys before the first group line form the top section. Group and key
// names match without regard to letter case. Text is UTF-8 in memory; a file
// is read as UTF-8 when it starts with the UTF-8 mark or is valid UTF-8, else
// as Windows-1252, and created files are written as UTF-8 without a mark.
class SettingsFile {
 public:
  // Uses the real file system.
  SettingsFile();
  // Uses `store`, which must outlive this object.
  explicit SettingsFile(FileStore& store);
  // Closes the buffer, writing it out if needed.
  ~SettingsFile();
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  // Closes the previous buffer, then parses the file at `path`. False when
  // it cannot be read; the buffer is then empty and every read gives its
  // default.
  bool OpenSettings(const std::string& path);
  // Closes the previous buffer, then starts an empty buffer that replaces
  // the file at `path` when it is closed. False when the file cannot be
  // written there (for example a missing folder); writes then do nothing.
  bool CreateSettings(const std::string& path);
  // Writes the buffer out if it was created or modified, then empties it.
  // The old file stays as it was when writing fails.
  void CloseSettings();

  // An empty name selects the top section. Otherwise the first group of
  // that name becomes current; if there is none the name is kept as a
  // pending group (reads give their defaults, the first write adds it) and
  // the result is false.
  bool SelectGroup(std::string_view name);

  // The value of `key` in the current group, trimmed of blanks; `def` when
  // the key is absent or the group pending.
  std::string ReadSettingString(std::string_view key,
                                std::string_view def) const;
  // Leading blanks, an optional sign and decimal digits; no digit reads as
  // 0, values beyond the 32-bit range saturate.
  int32_t ReadSettingInteger(std::string_view key, int32_t def) const;
  // Decimal number with "." and an optional exponent, read the same way in
  // every locale; anything else reads as 0, magnitudes beyond the float
  // range saturate.
  float ReadSettingFloat(std::string_view key, float def) const;

  // Replaces the value of `key` in the current group or adds the key at the
  // group's end. Line breaks in `value` are stored as spaces.
  void WriteSettingString(std::string_view key, std::string_view value);
  // Written as "%d".
  void WriteSettingInteger(std::string_view key, int32_t value);
  // Written as "%f" of the value widened to double: six decimals, ".".
  void WriteSettingFloat(std::string_view key, float value);

 private:
  struct Line {
    enum class Kind { kGroup, kComment, kKey, kOther };
    Kind kind;
    std::string name;   // group name, comment text, key, or the whole line
    std::string value;  // key lines only
  };

  void Reset();
  void Parse(std::string_view text);
  std::string Serialize() const;
  // Index of the key line of `key` in the current group, or -1.
  int FindKey(std::string_view key) const;
  // The raw value of `key`, or null when the lookup gives the default.
  const std::string* FindValue(std::string_view key) const;

  DiskFileStore disk_;
  FileStore& store_;
  std::vector<Line> lines_;
  std::string path_;        // empty when the buffer has no file
  int current_group_ = -1;  // index of the group line, -1 for the top section
  // A selected group that does not exist yet.
  std::optional<std::string> pending_group_;
  bool created_ = false;  // replaces the file on close
  bool modified_ = false;
  bool utf8_mark_ = false;  // the opened file began with the UTF-8 mark
};

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_SETTINGS_FILE_H_
