#include "profiles/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace rz {
namespace {

TEST(TextEncodingTest, BrokenSequencesBecomeReplacementCharacters) {
  // UTF-16LE: "é", U+1F600 as a surrogate pair, an unpaired high surrogate
  // before "A", an unpaired low surrogate, an odd last byte.
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE\xE9\0\x3D\xD8\0\xDE\x3D\xD8"
                                   "A\0\0\xDC\x42",
                                   15))
                .text,
            "é\xF0\x9F\x98\x80\xEF\xBF\xBD"
            "A\xEF\xBF\xBD\xEF\xBF\xBD");
  // UTF-8 with its mark.
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                       "a\xFF"
                       "b\xC3")
                .text,
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  // Windows-1252, with the bytes the code page leaves undefined.
  EXPECT_EQ(DecodeText("\x80\x81\x9F\xE7").text, "€\xEF\xBF\xBDŸç");
}

TEST(TextEncodingTest, StrictUtf8) {
  EXPECT_TRUE(IsValidUtf8("aé€\xF0\x9F\x98\x80"));
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xE2\x82", "\x80"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
}

}  // namespace
}  // namespace rz
