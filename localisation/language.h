// The remembered language ("Langue.lng") and the language files in
// "Rod-Idevora/" that fill the string table: the base language "Francais"
// first, then the current language over it.
#ifndef RIRUZIRUZO_LOCALISATION_LANGUAGE_H_
#define RIRUZIRUZO_LOCALISATION_LANGUAGE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "localisation/string_table.h"

namespace rz {

inline constexpr std::string_view kLanguageSettingFile = "Langue.lng";
inline constexpr std::string_view kLanguageFolder = "Rod-Idevora/";
inline constexpr std::string_view kBaseLanguage = "Francais";
// The base language file sizes the table to at most this number + 1.
inline constexpr int kMaxStringNumber = 65535;

// A number of a language file: blanks, an optional sign, then decimal
// digits, "$" and hexadecimal digits, or "%" and binary digits; no digit
// reads as 0. The low 32 bits of the value are kept.
int32_t ParseLanguageNumber(std::string_view text);

// Fills `strings` from the bytes of a language file (UTF-8 or UTF-16LE with
// their marks; without a mark UTF-8 when valid, else Windows-1252). The base
// file's first line sizes the table and its entries are stored even when
// empty; another language's first line is ignored and only non-empty texts
// replace entries. Entries outside the table are ignored.
void ParseLanguageFile(std::string_view bytes, StringTable& strings,
                       bool is_base);

// A language name that could name a file in the language folder: not empty,
// no path separator, no control character.
bool IsUsableLanguageName(std::string_view name);

// Path of the language file of `language` ("Rod-Idevora/" + language +
// ".txt", the extension matched without regard to case), or the empty text
// when no such file or directory exists or the name is not usable.
std::string FindLanguageFile(std::string_view language);

// Reads the remembered language into `current_language` (empty when none is
// remembered or the name is not usable). When it is empty or has no file,
// calls `choose_language`, which either ends the program or returns with
// the language unchanged. Then fills `strings` from the base language file
// and the current language's file over it. Missing files change nothing.
void LoadLanguage(std::string& current_language, StringTable& strings,
                  const std::function<void()>& choose_language);

// Writes `current_language` into "Langue.lng"; nothing when it cannot be
// written.
void SaveLanguageSetting(const std::string& current_language);

}  // namespace rz

#endif  // RIRUZIRUZO_LOCALISATION_LANGUAGE_H_
