// The language files shipped beside the program, read as the program reads
// them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "localisation/language.h"
#include "localisation/string_table.h"

namespace rz {
namespace {

std::string ReadShipped(const std::string& language) {
  std::ifstream file(std::string(RZ_LANGUAGE_DIR) + "/" + language + ".txt",
                     std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class ShippedLanguageTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguageTest, EveryStringIsSetAndTheDefaultProfileHasOneName) {
  const std::string language = GetParam();
  const std::string own = ReadShipped(language);
  ASSERT_FALSE(own.empty()) << language << ".txt is missing";

  // On its own, as the base, and over the French base, as at start-up.
  StringTable alone;
  ParseLanguageFile(own, alone, true);
  StringTable over_french;
  ParseLanguageFile(ReadShipped("Francais"), over_french, true);
  ParseLanguageFile(own, over_french, false);

  for (const StringTable* table : {&alone, &over_french}) {
    ASSERT_GE(table->size(), 154) << language;
    for (int number = 1; number <= 153; ++number) {
      if (number == 128 || number == 129) continue;  // not used
      EXPECT_FALSE(table->Get(number).empty())
          << language << ": string " << number << " is empty";
    }
    for (int number : {140, 141, 151}) {
      EXPECT_EQ(table->Get(number), table->Get(139))
          << language << ": string " << number;
    }
    EXPECT_NE(table->Get(139).front(), '#') << "a resolved reference";
  }
  // Every string is the language's own: none falls back to French.
  for (int number = 1; number <= 153; ++number) {
    EXPECT_EQ(over_french.Get(number), alone.Get(number))
        << language << ": string " << number;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageTest,
                         ::testing::Values("Francais", "English", "Deutsch",
                                           "Espanol"));

}  // namespace
}  // namespace rz
