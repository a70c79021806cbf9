#include "profiles/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace rz {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(b)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// Length of the valid UTF-8 sequence at the start of `s` (not empty), or 0.
size_t SequenceLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead < 0x80) return 1;
  size_t length;
  char32_t c;
  char32_t smallest;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(s[i]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

std::string RepairUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  while (!s.empty()) {
    const size_t length = SequenceLength(s);
    if (length == 0) {
      AppendUtf8(out, kReplacement);
      s.remove_prefix(1);
    } else {
      out.append(s.substr(0, length));
      s.remove_prefix(length);
    }
  }
  return out;
}

std::string Utf16LeToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  auto unit = [&s](size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(s[i]) |
                                 static_cast<unsigned char>(s[i + 1]) << 8);
  };
  size_t i = 0;
  for (; i + 1 < s.size(); i += 2) {
    const char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < s.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
  }
  if (i < s.size()) AppendUtf8(out, kReplacement);  // odd last byte
  return out;
}

// Bytes 0x80..0x9F of Windows-1252; 0 where the code page defines nothing.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Windows1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (const char ch : s) {
    const auto b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (b >= 0x80 && b <= 0x9F) {
      c = kWindows1252High[b - 0x80];
      if (c == 0) c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const size_t length = SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

DecodedText DecodeText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    return {RepairUtf8(bytes.substr(3)), TextMark::kUtf8};
  }
  if (bytes.starts_with("\xFF\xFE")) {
    return {Utf16LeToUtf8(bytes.substr(2)), TextMark::kUtf16Le};
  }
  if (IsValidUtf8(bytes)) return {std::string(bytes), TextMark::kNone};
  return {Windows1252ToUtf8(bytes), TextMark::kNone};
}

bool NextLine(std::string_view text, size_t* pos, std::string_view* line) {
  if (*pos >= text.size()) return false;
  size_t end = text.find_first_of("\r\n", *pos);
  if (end == std::string_view::npos) end = text.size();
  *line = text.substr(*pos, end - *pos);
  *pos = end + 1;
  if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
    ++*pos;
  }
  return true;
}

}  // namespace rz
