#include "localisation/language.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "profiles/file_store.h"
#include "profiles/settings_file.h"
#include "profiles/text_encoding.h"

namespace rz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLanguageKey = "Defaut";
constexpr std::string_view kLanguageExtension = ".txt";

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

void ReadLanguageFile(const std::string& path, StringTable& strings,
                      bool is_base) {
  DiskFileStore disk;
  std::string bytes;
  if (!path.empty() && disk.ReadFile(path, &bytes)) {
    ParseLanguageFile(bytes, strings, is_base);
  }
}

}  // namespace

int32_t ParseLanguageNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == '%')) {
    base = text[i] == '$' ? 16 : 2;
    ++i;
  }
  // Unsigned arithmetic wraps, which keeps exactly the low 32 bits.
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit >= base) break;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

void ParseLanguageFile(std::string_view bytes, StringTable& strings,
                       bool is_base) {
  const DecodedText decoded = DecodeText(bytes);
  const std::string_view text = decoded.text;
  size_t pos = 0;
  std::string_view line;
  // The first line holds the largest string number; only the base file's
  // counts.
  NextLine(text, &pos, &line);
  if (is_base) {
    strings.Resize(std::clamp(ParseLanguageNumber(line), 0, kMaxStringNumber) +
                   1);
  }
  while (NextLine(text, &pos, &line)) {
    if (line.empty() || line[0] == '[') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const int32_t number = ParseLanguageNumber(line.substr(0, equals));
    const std::string_view entry = line.substr(equals + 1);
    // A reference takes the text its entry holds now, one level deep.
    std::string value = entry.starts_with('#')
                            ? strings.Get(ParseLanguageNumber(entry.substr(1)))
                            : std::string(entry);
    if (is_base || !value.empty()) strings.Set(number, std::move(value));
  }
}

bool IsUsableLanguageName(std::string_view name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || u == 127 || c == '/' || c == '\\';
  });
}

std::string FindLanguageFile(std::string_view language) {
  if (!IsUsableLanguageName(language)) return {};
  std::error_code error;
  fs::directory_iterator it(std::string(kLanguageFolder), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string file = it->path().filename().string();
    if (file.size() == language.size() + kLanguageExtension.size() &&
        file.starts_with(language) &&
        EqualsIgnoringAsciiCase(file.substr(language.size()),
                                kLanguageExtension)) {
      return std::string(kLanguageFolder) + file;
    }
  }
  return {};
}

void LoadLanguage(std::string& current_language, StringTable& strings,
                  const std::function<void()>& choose_language) {
  {
    SettingsFile settings;
    settings.OpenSettings(std::string(kLanguageSettingFile));
    current_language = settings.ReadSettingString(kLanguageKey, "");
  }
  if (!IsUsableLanguageName(current_language)) current_language.clear();
  if (current_language.empty() || FindLanguageFile(current_language).empty()) {
    choose_language();
  }
  ReadLanguageFile(FindLanguageFile(kBaseLanguage), strings, true);
  if (current_language != kBaseLanguage) {
    ReadLanguageFile(FindLanguageFile(current_language), strings, false);
  }
}

void SaveLanguageSetting(const std::string& current_language) {
  SettingsFile settings;
  if (!settings.CreateSettings(std::string(kLanguageSettingFile))) return;
  settings.WriteSettingString(kLanguageKey, current_language);
  settings.CloseSettings();
}

}  // namespace rz
