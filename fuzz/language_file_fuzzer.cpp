// Feeds arbitrary bytes to the language-file reader, as the base file and
// as the current language's file, and checks the table it leaves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "localisation/language.h"
#include "localisation/string_table.h"
#include "profiles/text_encoding.h"

namespace {

void CheckTable(const rz::StringTable& strings) {
  if (strings.size() < 1 || strings.size() > rz::kMaxStringNumber + 1) {
    std::abort();
  }
  for (int i = 0; i < strings.size(); ++i) {
    if (!rz::IsValidUtf8(strings.Get(i))) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  rz::StringTable strings;
  rz::ParseLanguageFile(bytes, strings, true);
  CheckTable(strings);
  const int table_size = strings.size();
  rz::ParseLanguageFile(bytes, strings, false);
  CheckTable(strings);
  if (strings.size() != table_size) std::abort();
  rz::ParseLanguageNumber(bytes);
  return 0;
}
