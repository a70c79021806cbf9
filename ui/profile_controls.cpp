#include "ui/profile_controls.h"

#include <string>

#include "profiles/profile.h"
#include "profiles/profile_list.h"
#include "ui/control_ids.h"

namespace rz {
namespace {

// The new profile's values are in force from now on: let go of anything
// the previous profile's assignments still hold.
void SwitchTo(const WindowContext& context) {
  LoadAndShowProfile(context);
  context.injector.ReleaseAllActions();
}

void SaveCurrentProfile(const WindowContext& context) {
  SaveProfile(context.profiles, context.device, context.injector);
}

}  // namespace

void FillProfileChoice(const WindowContext& context) {
  Gui& gui = context.gui;
  gui.ClearItems(kProfileChoice);
  for (const std::string& name : context.profiles.names()) {
    gui.AddItem(kProfileChoice, name);
  }
  gui.SetSelection(kProfileChoice, context.profiles.current());
}

void LoadAndShowProfile(const WindowContext& context) {
  LoadProfile(context.profiles, context.device, context.injector);
  ShowSettings(context);
}

void SelectProfile(const WindowContext& context) {
  Gui& gui = context.gui;
  ProfileList& profiles = context.profiles;
  // An emptied field names no profile.
  if (gui.GetSelection(kProfileChoice) < 0) return;
  const std::string chosen = gui.GetText(kProfileChoice);
  if (profiles.has_current() && chosen == profiles.current_name()) return;

  SaveCurrentProfile(context);
  const int found = profiles.FindFirst(chosen);
  profiles.SetCurrent(found >= 0 ? found : profiles.size() - 1);
  SwitchTo(context);
  gui.EnableControl(kDeleteProfileButton,
                    profiles.current_name() != context.strings.Get(141));
}

void CreateProfile(const WindowContext& context) {
  Gui& gui = context.gui;
  const StringTable& strings = context.strings;
  ProfileList& profiles = context.profiles;
  const std::string name = gui.RequestText(strings.Get(142), strings.Get(143));
  if (name.empty()) return;

  SaveCurrentProfile(context);
  if (!IsValidProfileName(name)) {
    gui.ShowMessage(strings.Get(146), strings.Get(147), MessageButtons::kOk);
    return;
  }
  // A name still listed without its file (a profile never saved) is taken
  // as well: adding it again would list it twice.
  if (ProfileFileExists(name) || profiles.FindFirst(name) >= 0) {
    gui.ShowMessage(strings.Get(144), strings.Get(145), MessageButtons::kOk);
    return;
  }

  profiles.Add(name);
  profiles.SetCurrent(profiles.FindFirst(name));
  FillProfileChoice(context);
  gui.EnableControl(kDeleteProfileButton, true);
  // No file yet: every value takes its default.
  SwitchTo(context);
}

void DeleteProfile(const WindowContext& context) {
  Gui& gui = context.gui;
  const StringTable& strings = context.strings;
  ProfileList& profiles = context.profiles;
  if (!profiles.has_current()) return;
  const std::string name = profiles.current_name();
  const MessageAnswer answer = gui.ShowMessage(
      strings.Get(148), strings.Get(149) + name + strings.Get(150),
      MessageButtons::kYesNo);
  if (answer != MessageAnswer::kYes) return;

  // A file that cannot be deleted is listed again at the next start.
  DeleteProfileFile(name);
  profiles.RemoveCurrent();
  // The default profile becomes current; when the deleted profile was the
  // only one, the default profile takes its place so one is always current.
  profiles.SelectDefault(profiles.empty() ? strings.Get(139)
                                          : strings.Get(151));
  FillProfileChoice(context);
  gui.EnableControl(kDeleteProfileButton, false);
  SwitchTo(context);
}

}  // namespace rz
