// The sorted list of profile names with its current profile, the profile
// folder "Configuration/" and the last-profile file "Configuration.qivp".
#ifndef RIRUZIRUZO_PROFILES_PROFILE_LIST_H_
#define RIRUZIRUZO_PROFILES_PROFILE_LIST_H_

#include <string>
#include <string_view>
#include <vector>

namespace rz {

inline constexpr std::string_view kProfileFolder = "Configuration/";
inline constexpr std::string_view kProfileExtension = ".qivp";
inline constexpr std::string_view kLastProfileFile = "Configuration.qivp";

// Profile names in ascending order (capitals A-Z compare as small letters,
// every other byte by its unsigned value), with at most one current name.
// Equality of names respects case.
class ProfileList {
 public:
  const std::vector<std::string>& names() const { return names_; }
  int size() const { return static_cast<int>(names_.size()); }
  bool empty() const { return names_.empty(); }

  // Position of the current profile, -1 for none.
  int current() const { return current_; }
  bool has_current() const { return current_ >= 0; }
  // The current profile's name; the empty text when there is none.
  const std::string& current_name() const;
  // A position outside the list leaves no profile current.
  void SetCurrent(int index);

  // Position of the first name equal to `name` (case respected), or -1.
  int FindFirst(std::string_view name) const;
  // Inserts `name` in order, after any name that sorts equal to it, and
  // returns its position. The current profile stays current.
  int Add(std::string name);
  // Removes the current profile's name; none is current afterwards.
  void RemoveCurrent();
  // Makes the first name equal to `default_name` current, else the last
  // name. An empty list first receives `default_name`, so a profile is
  // always current afterwards. True when `default_name` was added.
  bool SelectDefault(const std::string& default_name);

 private:
  std::vector<std::string> names_;
  int current_ = -1;
  std::string empty_;
};

// True when `name` may name a profile file: not empty, no byte below 32, none
// of " * / : < > ? \ |, and name + ".qivp" fits in a file name (255 bytes).
bool IsValidProfileName(std::string_view name);

// "Configuration/" + name + ".qivp".
std::string ProfilePath(std::string_view name);

// True when a file or directory of that path exists. False for invalid
// names.
bool ProfileFileExists(std::string_view name);

// Deletes the profile's file (never a directory). False when nothing was
// deleted, including for invalid names.
bool DeleteProfileFile(std::string_view name);

// Adds to `list` every regular file "Configuration/*.qivp" whose name (the
// file name without ".qivp") is valid UTF-8 and a valid profile name. A
// missing folder adds nothing.
void ScanProfiles(ProfileList& list);

// Makes the name remembered in "Configuration.qivp" current, adding it to
// the list when it is missing. `default_name` stands in for a missing file,
// key, or a remembered name that is empty or not a valid profile name.
void RestoreLastProfile(ProfileList& list, const std::string& default_name);

// Writes the current profile's name into "Configuration.qivp"; nothing when
// there is no current profile or the file cannot be written.
void SaveLastProfile(const ProfileList& list);

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_PROFILE_LIST_H_
