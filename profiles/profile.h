// A profile's content: the stick, hat and button assignments, dead zones and
// mouse and keyboard settings, moved between its file and the engine tables.
#ifndef RIRUZIRUZO_PROFILES_PROFILE_H_
#define RIRUZIRUZO_PROFILES_PROFILE_H_

#include "engine/injector.h"
#include "engine/joystick.h"
#include "profiles/file_store.h"
#include "profiles/profile_list.h"

namespace rz {

inline constexpr float kDefaultDeadZone = 0.1f;
inline constexpr float kDefaultMouseAcceleration = 0.25f;
inline constexpr float kDefaultMouseSpeed = 0.5f;
inline constexpr int kDefaultScanCodeMode = 1;

// Reads the current profile's file into the tables: every stick (1..3),
// button (1..32) and hat direction (1..4), whatever the controller has.
// Missing files, groups and keys give the defaults; values are stored as
// read, without range checks. With no current profile (or an invalid name)
// every value takes its default. The caller refreshes the controls.
void LoadProfile(const ProfileList& list, Device& device, Injector& injector);
void LoadProfile(const ProfileList& list, Device& device, Injector& injector,
                 FileStore& store);

// Writes the tables into the current profile's file; nothing when there is
// no current profile or the file cannot be written, in which case the old
// file stays as it was.
void SaveProfile(const ProfileList& list, const Device& device,
                 const Injector& injector);
void SaveProfile(const ProfileList& list, const Device& device,
                 const Injector& injector, FileStore& store);

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_PROFILE_H_
