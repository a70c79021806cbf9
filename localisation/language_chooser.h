// The language chooser: the small window that lists the language files and,
// when another language is confirmed, stores it and starts the program anew.
#ifndef RIRUZIRUZO_LOCALISATION_LANGUAGE_CHOOSER_H_
#define RIRUZIRUZO_LOCALISATION_LANGUAGE_CHOOSER_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/gui.h"

namespace rz {

// Fixed literals: the chooser can be read before any language is known.
inline constexpr std::string_view kChooserTitle = "Langue / Language";
inline constexpr std::string_view kChooserOk = "OK";
inline constexpr int kChooserWidth = 200;
inline constexpr int kChooserHeight = 64;

// What the restart after a new choice needs from the rest of the program.
// Each hook may be empty (nothing to do); `end_program` is expected not to
// return, and when it does the chooser simply returns.
struct LanguageChooserHooks {
  std::function<void()> save_last_profile;
  std::function<void()> save_profile;
  std::function<void()> release_all;
  std::function<void()> end_program;
};

// The languages of the language folder, in the order the directory yields
// them: every entry other than a directory whose name ends in ".txt" (any
// letter case), with every ".txt" in its name removed (any letter case).
// Names that could never name a language file again (empty, or holding a
// control character or a path separator) are left out. False, with an
// empty list, when the folder cannot be listed.
bool ListLanguages(std::vector<std::string>* languages);

// The position of the language to preselect among `languages`: the first
// equal to `current_language`, or to "Francais" when it is empty (letter
// case respected); -1 when none is equal.
int PreselectedLanguage(const std::vector<std::string>& languages,
                        std::string_view current_language);

// Opens the chooser and waits, dropping every other event, until OK or a
// close request of any window. OK with another language than
// `current_language` stores it: `current_language` becomes the choice, the
// hooks save the last profile and the profile and release every input, the
// language setting is written, this program's executable is started anew,
// and `end_program` runs. Without a restart, the program also ends when
// `current_language` is empty; otherwise the chooser returns with the
// language unchanged.
void ChooseLanguage(Gui& gui, Desktop& desktop, std::string& current_language,
                    const LanguageChooserHooks& hooks);

}  // namespace rz

#endif  // RIRUZIRUZO_LOCALISATION_LANGUAGE_CHOOSER_H_
