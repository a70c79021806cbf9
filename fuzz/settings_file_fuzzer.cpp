// Feeds arbitrary bytes to the settings-file reader as the content of a
// file, reads and writes through it, and checks that what is written reads
// back and is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "profiles/file_store.h"
#include "profiles/settings_file.h"
#include "profiles/text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The first line of `text` and the rest after it.
std::string_view TakeLine(std::string_view* text) {
  const size_t end = std::min(text->find('\n'), text->size());
  const std::string_view line = text->substr(0, end);
  text->remove_prefix(std::min(end + 1, text->size()));
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first two lines name a group and a key to look up; the whole input
  // is the file. Names reach the reader as UTF-8, as in the program.
  std::string_view rest = bytes;
  const std::string group = rz::DecodeText(TakeLine(&rest).substr(0, 40)).text;
  const std::string key = rz::DecodeText(TakeLine(&rest).substr(0, 40)).text;

  rz::MemoryFileStore store;
  store.files["f"] = std::string(bytes);
  rz::SettingsFile settings(store);
  Check(settings.OpenSettings("f"));
  settings.SelectGroup(group);
  Check(rz::IsValidUtf8(settings.ReadSettingString(key, "")));
  settings.ReadSettingInteger(key, 0);
  settings.ReadSettingFloat(key, 0.0f);

  // Write into the file and read the values back.
  settings.SelectGroup(group);
  settings.WriteSettingInteger("Fuzz - Entier", -1234);
  settings.WriteSettingFloat("Fuzz - Flottant", 0.125f);
  settings.WriteSettingString("Fuzz - Texte", key);
  settings.CloseSettings();
  // Group names with these characters cannot be stored as they are; the
  // program uses none.
  if (group.find_first_of("]\r\n") != std::string::npos) return 0;
  Check(settings.OpenSettings("f"));
  Check(settings.SelectGroup(group));
  Check(settings.ReadSettingInteger("fuzz - entier", 0) == -1234);
  Check(settings.ReadSettingFloat("FUZZ - FLOTTANT", 0.0f) == 0.125f);

  // Once written, a file is in its final form: reading it and writing it
  // back changes nothing.
  std::string first;
  std::string second;
  for (std::string* out : {&first, &second}) {
    settings.SelectGroup(group);
    settings.WriteSettingInteger("Fuzz - Entier", -1234);
    settings.CloseSettings();
    *out = store.files["f"];
    settings.OpenSettings("f");
  }
  Check(first == second);
  return 0;
}
