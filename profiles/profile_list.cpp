#include "profiles/profile_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "profiles/settings_file.h"
#include "profiles/text_encoding.h"

namespace rz {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxFileNameBytes = 255;
constexpr std::string_view kLastProfileKey = "Configuration";

unsigned char SortKey(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool SortsBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return SortKey(x) < SortKey(y); });
}

}  // namespace

const std::string& ProfileList::current_name() const {
  return has_current() ? names_[static_cast<size_t>(current_)] : empty_;
}

void ProfileList::SetCurrent(int index) {
  current_ = index >= 0 && index < size() ? index : -1;
}

int ProfileList::FindFirst(std::string_view name) const {
  const auto it = std::find(names_.begin(), names_.end(), name);
  return it == names_.end() ? -1 : static_cast<int>(it - names_.begin());
}

int ProfileList::Add(std::string name) {
  const auto at =
      std::upper_bound(names_.begin(), names_.end(), name, SortsBefore);
  const int index = static_cast<int>(at - names_.begin());
  names_.insert(at, std::move(name));
  if (current_ >= index) ++current_;
  return index;
}

void ProfileList::RemoveCurrent() {
  if (!has_current()) return;
  names_.erase(names_.begin() + current_);
  current_ = -1;
}

bool ProfileList::SelectDefault(const std::string& default_name) {
  if (names_.empty()) {
    names_.push_back(default_name);
    current_ = 0;
    return true;
  }
  const int index = FindFirst(default_name);
  current_ = index >= 0 ? index : size() - 1;
  return false;
}

bool IsValidProfileName(std::string_view name) {
  if (name.empty() ||
      name.size() + kProfileExtension.size() > kMaxFileNameBytes) {
    return false;
  }
  constexpr std::string_view kForbidden = "\"*/:<>?\\|";
  return std::none_of(name.begin(), name.end(), [&](char c) {
    return static_cast<unsigned char>(c) < 32 ||
           kForbidden.find(c) != std::string_view::npos;
  });
}

std::string ProfilePath(std::string_view name) {
  std::string path(kProfileFolder);
  path += name;
  path += kProfileExtension;
  return path;
}

bool ProfileFileExists(std::string_view name) {
  if (!IsValidProfileName(name)) return false;
  std::error_code error;
  // Any entry of that name takes it, a dangling link included.
  return fs::exists(fs::symlink_status(ProfilePath(name), error));
}

bool DeleteProfileFile(std::string_view name) {
  if (!IsValidProfileName(name)) return false;
  const std::string path = ProfilePath(name);
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error))) return false;
  return fs::remove(path, error);
}

void ScanProfiles(ProfileList& list) {
  std::error_code error;
  fs::directory_iterator it(std::string(kProfileFolder), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string file = it->path().filename().string();
    if (file.size() <= kProfileExtension.size() ||
        !file.ends_with(kProfileExtension)) {
      continue;
    }
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    std::string name = file.substr(0, file.size() - kProfileExtension.size());
    // Only names this program could have made: they name the file back, and
    // the window can show them.
    if (IsValidProfileName(name) && IsValidUtf8(name)) {
      list.Add(std::move(name));
    }
  }
}

void RestoreLastProfile(ProfileList& list, const std::string& default_name) {
  SettingsFile settings;
  settings.OpenSettings(std::string(kLastProfileFile));
  std::string name = settings.ReadSettingString(kLastProfileKey, default_name);
  settings.CloseSettings();
  if (!IsValidProfileName(name)) name = default_name;
  int index = list.FindFirst(name);
  if (index < 0) index = list.Add(name);
  list.SetCurrent(index);
}

void SaveLastProfile(const ProfileList& list) {
  if (!list.has_current()) return;
  SettingsFile settings;
  if (!settings.CreateSettings(std::string(kLastProfileFile))) return;
  settings.WriteSettingString(kLastProfileKey, list.current_name());
  settings.CloseSettings();
}

}  // namespace rz
