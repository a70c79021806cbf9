#include "profiles/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace rz {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(TextEncodingTest, Utf16LeDecodesPairsAndReplacesBrokenUnits) {
  // "é", U+1F600 as a surrogate pair, then an unpaired high surrogate
  // followed by "A", an unpaired low surrogate, and an odd last byte.
  const DecodedText decoded =
      DecodeText(Bytes({0xFF, 0xFE, 0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x3D,
                        0xD8, 0x41, 0x00, 0x00, 0xDC, 0x42}));
  EXPECT_EQ(decoded.mark, TextMark::kUtf16Le);
  EXPECT_EQ(decoded.text,
            "é\xF0\x9F\x98\x80\xEF\xBF\xBD"
            "A\xEF\xBF\xBD\xEF\xBF\xBD");
  // A high surrogate in the last unit.
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, 0x3D, 0xD8})).text, "\xEF\xBF\xBD");
}

TEST(TextEncodingTest, MarkedUtf8IsRepaired) {
  const DecodedText decoded = DecodeText(
      "\xEF\xBB\xBF"
      "a\xC3\xA9\xFF"
      "b\xC3");
  EXPECT_EQ(decoded.mark, TextMark::kUtf8);
  EXPECT_EQ(decoded.text,
            "aé\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST(TextEncodingTest, UnmarkedTextIsUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(DecodeText("Fran\xC3\xA7"
                       "ais")
                .text,
            "Français");
  EXPECT_EQ(DecodeText("Fran\xE7"
                       "ais")
                .text,
            "Français");
  EXPECT_EQ(DecodeText("\x80\x81\x9F\xA0\xFF").text, "€\xEF\xBF\xBDŸ\xC2\xA0ÿ");
  EXPECT_EQ(DecodeText("").mark, TextMark::kNone);
}

TEST(TextEncodingTest, StrictUtf8) {
  EXPECT_TRUE(IsValidUtf8("aé€\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\x80"));
}

}  // namespace
}  // namespace rz
