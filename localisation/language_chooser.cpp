#include "localisation/language_chooser.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "localisation/language.h"

namespace rz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".txt";

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` holds ".txt", in any letter case, at `pos`.
bool ExtensionAt(std::string_view text, size_t pos) {
  if (pos + kExtension.size() > text.size()) return false;
  for (size_t i = 0; i < kExtension.size(); ++i) {
    if (Lower(text[pos + i]) != kExtension[i]) return false;
  }
  return true;
}

// `file` with every ".txt" taken out, in one left-to-right pass.
std::string WithoutExtensions(std::string_view file) {
  std::string name;
  for (size_t pos = 0; pos < file.size();) {
    if (ExtensionAt(file, pos)) {
      pos += kExtension.size();
    } else {
      name += file[pos++];
    }
  }
  return name;
}

struct ChooserWindow {
  int window = -1;
  int choice = -1;
  int ok = -1;
};

ChooserWindow OpenChooser(Gui& gui) {
  ChooserWindow chooser;
  chooser.window = gui.OpenWindow(kChooserTitle, kChooserWidth, kChooserHeight);
  if (chooser.window < 0) return chooser;
  ControlSpec choice;
  choice.kind = ControlKind::kCombo;
  choice.window = chooser.window;
  choice.x = 5;
  choice.y = 5;
  choice.width = 190;
  choice.height = 24;
  chooser.choice = gui.CreateControl(choice);
  ControlSpec ok;
  ok.kind = ControlKind::kButton;
  ok.window = chooser.window;
  ok.x = 5;
  ok.y = 35;
  ok.width = 190;
  ok.height = 24;
  ok.text = std::string(kChooserOk);
  chooser.ok = gui.CreateControl(ok);
  return chooser;
}

// Waits for OK or a close request and returns the confirmed text, or
// nothing when the wait ended otherwise. Every other event is dropped, the
// main window's timer ticks and controls included.
std::optional<std::string> WaitForChoice(Gui& gui,
                                         const ChooserWindow& chooser) {
  for (;;) {
    const Event event = gui.WaitEvent();
    switch (event.kind) {
      case EventKind::kClose:
      // A Gui with nothing left to deliver will never deliver OK either.
      case EventKind::kNone:
        return std::nullopt;
      case EventKind::kControl:
        if (chooser.ok >= 0 && event.number == chooser.ok) {
          return gui.GetSelection(chooser.choice) >= 0
                     ? gui.GetText(chooser.choice)
                     : std::string();
        }
        break;
      case EventKind::kTimer:
      case EventKind::kMenu:
        break;
    }
  }
}

}  // namespace

bool ListLanguages(std::vector<std::string>* languages) {
  languages->clear();
  std::error_code error;
  fs::directory_iterator it(std::string(kLanguageFolder), error);
  if (error) return false;
  // An entry that fails part-way ends the listing with what was found.
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code kind_error;
    if (it->is_directory(kind_error)) continue;
    const std::string file = it->path().filename().string();
    if (file.size() < kExtension.size() ||
        !ExtensionAt(file, file.size() - kExtension.size())) {
      continue;
    }
    std::string name = WithoutExtensions(file);
    // A name that cannot be written to and read back from the language
    // setting, or found again as a file, would never load.
    if (IsUsableLanguageName(name)) languages->push_back(std::move(name));
  }
  return true;
}

int PreselectedLanguage(const std::vector<std::string>& languages,
                        std::string_view current_language) {
  const std::string_view wanted =
      current_language.empty() ? kBaseLanguage : current_language;
  const auto found = std::find(languages.begin(), languages.end(), wanted);
  return found == languages.end() ? -1
                                  : static_cast<int>(found - languages.begin());
}

void ChooseLanguage(Gui& gui, Desktop& desktop, std::string& current_language,
                    const LanguageChooserHooks& hooks) {
  const ChooserWindow chooser = OpenChooser(gui);
  std::vector<std::string> languages;
  std::optional<std::string> choice;
  // A folder that cannot be listed closes the window at once.
  if (chooser.window >= 0 && ListLanguages(&languages)) {
    for (const std::string& language : languages) {
      gui.AddItem(chooser.choice, language);
    }
    // Set even when nothing matches: a toolkit may select its first item
    // by itself.
    gui.SetSelection(chooser.choice,
                     PreselectedLanguage(languages, current_language));
    choice = WaitForChoice(gui, chooser);
  }
  const bool restart = choice.has_value() && *choice != current_language;
  if (restart) {
    current_language = *choice;
    if (hooks.save_last_profile) hooks.save_last_profile();
    if (hooks.save_profile) hooks.save_profile();
    if (hooks.release_all) hooks.release_all();
    SaveLanguageSetting(current_language);
    // When the new instance cannot be started, the choice still takes
    // effect at the next start.
    desktop.Restart(desktop.ExecutablePath());
  }
  if (chooser.window >= 0) gui.CloseWindow(chooser.window);
  if ((restart || current_language.empty()) && hooks.end_program) {
    hooks.end_program();
  }
}

}  // namespace rz
