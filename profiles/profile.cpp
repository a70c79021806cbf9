#include "profiles/profile.h"

#include <string>
#include <string_view>

#include "profiles/settings_file.h"

namespace rz {
namespace {

// "Axe" + 2 + " - Filtre" and the like.
std::string Key(std::string_view prefix, int number, std::string_view suffix) {
  std::string key(prefix);
  key += std::to_string(number);
  key += suffix;
  return key;
}

bool HasProfileFile(const ProfileList& list) {
  return list.has_current() && IsValidProfileName(list.current_name());
}

}  // namespace

void LoadProfile(const ProfileList& list, Device& device, Injector& injector) {
  DiskFileStore disk;
  LoadProfile(list, device, injector, disk);
}

void LoadProfile(const ProfileList& list, Device& device, Injector& injector,
                 FileStore& store) {
  SettingsFile settings(store);
  // Without a file every read below gives its default.
  if (HasProfileFile(list)) {
    settings.OpenSettings(ProfilePath(list.current_name()));
  }
  settings.SelectGroup("Axes");
  for (int i = 1; i <= kMaxSticks; ++i) {
    StickState& stick = device.sticks[i];
    stick.dead_zone =
        settings.ReadSettingFloat(Key("Axe", i, " - Filtre"), kDefaultDeadZone);
    stick.preset = settings.ReadSettingInteger(Key("Axe", i, " - Action"), 0);
  }
  settings.SelectGroup("Boutons");
  for (int i = 1; i <= kMaxButtons; ++i) {
    device.buttons[i].action =
        settings.ReadSettingInteger(Key("Bouton", i, " - Action"), 0);
  }
  settings.SelectGroup("PdV");
  for (int i = 1; i <= kHatDirections; ++i) {
    device.hat[i].action =
        settings.ReadSettingInteger(Key("PdV", i, " - Action"), 0);
  }
  settings.SelectGroup("Souris");
  injector.mouse_acceleration = settings.ReadSettingFloat(
      "Souris - Acceleration", kDefaultMouseAcceleration);
  injector.mouse_speed =
      settings.ReadSettingFloat("Souris - Vitesse", kDefaultMouseSpeed);
  settings.SelectGroup("Clavier");
  injector.scan_code_mode =
      settings.ReadSettingInteger("DirectX", kDefaultScanCodeMode);
  settings.CloseSettings();
}

void SaveProfile(const ProfileList& list, const Device& device,
                 const Injector& injector) {
  DiskFileStore disk;
  SaveProfile(list, device, injector, disk);
}

void SaveProfile(const ProfileList& list, const Device& device,
                 const Injector& injector, FileStore& store) {
  if (!HasProfileFile(list)) return;
  SettingsFile settings(store);
  if (!settings.CreateSettings(ProfilePath(list.current_name()))) return;
  settings.SelectGroup("Axes");
  for (int i = 1; i <= kMaxSticks; ++i) {
    const StickState& stick = device.sticks[i];
    settings.WriteSettingFloat(Key("Axe", i, " - Filtre"), stick.dead_zone);
    settings.WriteSettingInteger(Key("Axe", i, " - Action"), stick.preset);
  }
  settings.SelectGroup("Boutons");
  for (int i = 1; i <= kMaxButtons; ++i) {
    settings.WriteSettingInteger(Key("Bouton", i, " - Action"),
                                 device.buttons[i].action);
  }
  settings.SelectGroup("PdV");
  for (int i = 1; i <= kHatDirections; ++i) {
    settings.WriteSettingInteger(Key("PdV", i, " - Action"),
                                 device.hat[i].action);
  }
  settings.SelectGroup("Souris");
  settings.WriteSettingFloat("Souris - Acceleration",
                             injector.mouse_acceleration);
  settings.WriteSettingFloat("Souris - Vitesse", injector.mouse_speed);
  settings.SelectGroup("Clavier");
  settings.WriteSettingInteger("DirectX", injector.scan_code_mode);
  settings.CloseSettings();
}

}  // namespace rz
