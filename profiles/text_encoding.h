// Decoding of the text files the program reads (settings, language and
// information files) into UTF-8, the encoding of all text in memory, their
// lines, and the comparison of their ASCII names.
#ifndef RIRUZIRUZO_PROFILES_TEXT_ENCODING_H_
#define RIRUZIRUZO_PROFILES_TEXT_ENCODING_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace rz {

enum class TextMark { kNone, kUtf8, kUtf16Le };

struct DecodedText {
  std::string text;  // valid UTF-8
  TextMark mark = TextMark::kNone;
};

// A file that starts with the UTF-8 mark (EF BB BF) or the UTF-16LE mark
// (FF FE) is decoded accordingly, without its mark; broken sequences become
// U+FFFD. A file without a mark is taken as it stands when it is valid
// UTF-8, else as Windows-1252.
DecodedText DecodeText(std::string_view bytes);

// Equality with the letters A-Z and a-z taken as the same: the names of
// settings groups and keys and file extensions are ASCII.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Takes the next line of `text` from `*pos` into `*line` and moves `*pos`
// past it; a line ends at CR, LF or CR LF. False at the end of the text.
bool NextLine(std::string_view text, size_t* pos, std::string_view* line);

}  // namespace rz

#endif  // RIRUZIRUZO_PROFILES_TEXT_ENCODING_H_
