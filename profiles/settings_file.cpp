#include "profiles/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "profiles/text_encoding.h"

namespace rz {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view TrimLeft(std::string_view s, std::string_view blanks) {
  const size_t first = s.find_first_not_of(blanks);
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view TrimRight(std::string_view s) {
  const size_t last = s.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view()
                                        : s.substr(0, last + 1);
}

// A text written into one line: line breaks would split it into lines of
// other meanings on the next read.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; },
      ' ');
  return line;
}

// Skips the blanks and the sign in front of a number; true for "-".
bool TakeSign(std::string_view* text) {
  *text = TrimLeft(*text, " \t\v\f");
  if (text->empty() || (text->front() != '+' && text->front() != '-')) {
    return false;
  }
  const bool negative = text->front() == '-';
  text->remove_prefix(1);
  return negative;
}

// Like the C string-to-integer rule, but saturating instead of undefined on
// overflow.
int32_t ParseInteger(std::string_view text) {
  const bool negative = TakeSign(&text);
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), kLimit);
  }
  if (negative) value = -value;
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max()));
}

// Like the C string-to-double rule in the "C" locale, limited to finite
// decimal numbers: "inf", "nan" and hexadecimal forms read as 0.
float ParseFloat(std::string_view text) {
  const bool negative = TakeSign(&text);
  if (text.empty() || !(text[0] == '.' || (text[0] >= '0' && text[0] <= '9'))) {
    return 0.0f;
  }
  double value = 0.0;
  const char* const end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: the sign of the exponent tells.
    const std::string_view number(text.data(),
                                  static_cast<size_t>(ptr - text.data()));
    const size_t e = number.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < number.size() &&
                      number[e + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::max();
  } else if (error != std::errc()) {
    value = 0.0;
  }
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  value = std::min(value, kFloatMax);
  return static_cast<float>(negative ? -value : value);
}

}  // namespace

SettingsFile::SettingsFile() : store_(disk_) {}

SettingsFile::SettingsFile(FileStore& store) : store_(store) {}

SettingsFile::~SettingsFile() { CloseSettings(); }

void SettingsFile::Reset() {
  lines_.clear();
  path_.clear();
  current_group_ = -1;
  pending_group_.reset();
  created_ = false;
  modified_ = false;
  utf8_mark_ = false;
}

bool SettingsFile::OpenSettings(const std::string& path) {
  CloseSettings();
  std::string bytes;
  if (!store_.ReadFile(path, &bytes)) return false;
  DecodedText decoded = DecodeText(bytes);
  utf8_mark_ = decoded.mark == TextMark::kUtf8;
  Parse(decoded.text);
  path_ = path;
  return true;
}

bool SettingsFile::CreateSettings(const std::string& path) {
  CloseSettings();
  // The old file is replaced only when the buffer is closed, so that a
  // failed or interrupted save leaves it whole.
  if (!store_.CanWrite(path)) return false;
  path_ = path;
  created_ = true;
  return true;
}

void SettingsFile::CloseSettings() {
  if (!path_.empty() && (created_ || modified_)) {
    store_.WriteFile(path_, Serialize());
  }
  Reset();
}

void SettingsFile::Parse(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line =
        TrimLeft(text.substr(pos, end - pos), kBlanks);
    pos = std::min(text.find_first_not_of("\r\n", end), text.size());
    if (line.empty()) continue;
    if (line[0] == ';') {
      std::string_view comment = line.substr(1);
      if (comment.starts_with(' ')) comment.remove_prefix(1);
      lines_.push_back({Line::Kind::kComment, std::string(comment), {}});
    } else if (line[0] == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          line.substr(1, close == std::string_view::npos ? close : close - 1);
      lines_.push_back({Line::Kind::kGroup, std::string(name), {}});
    } else if (const size_t equals = line.find('=');
               equals != std::string_view::npos) {
      lines_.push_back(
          {Line::Kind::kKey, std::string(TrimRight(line.substr(0, equals))),
           std::string(TrimLeft(line.substr(equals + 1), kBlanks))});
    } else {
      // Not a form this program writes; kept as it stands, never looked up.
      lines_.push_back({Line::Kind::kOther, std::string(line), {}});
    }
  }
}

std::string SettingsFile::Serialize() const {
  std::string text;
  for (const Line& line : lines_) {
    switch (line.kind) {
      case Line::Kind::kGroup:
        text += "[" + line.name + "]";
        break;
      case Line::Kind::kComment:
        text += "; " + line.name;
        break;
      case Line::Kind::kKey:
        text += line.name + " = " + line.value;
        break;
      case Line::Kind::kOther:
        text += line.name;
        break;
    }
    text += "\r\n";
  }
  // Text that itself begins with U+FEFF needs the mark in front, or the next
  // read would take that character for the mark.
  if (utf8_mark_ || text.starts_with(kUtf8Mark)) text.insert(0, kUtf8Mark);
  return text;
}

bool SettingsFile::SelectGroup(std::string_view name) {
  pending_group_.reset();
  current_group_ = -1;
  if (name.empty()) return true;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::kGroup &&
        EqualsIgnoringAsciiCase(lines_[i].name, name)) {
      current_group_ = static_cast<int>(i);
      return true;
    }
  }
  pending_group_ = std::string(name);
  return false;
}

int SettingsFile::FindKey(std::string_view key) const {
  for (size_t i = static_cast<size_t>(current_group_ + 1); i < lines_.size();
       ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::kGroup) break;
    if (line.kind == Line::Kind::kKey &&
        EqualsIgnoringAsciiCase(line.name, key)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

const std::string* SettingsFile::FindValue(std::string_view key) const {
  if (pending_group_) return nullptr;
  const int index = FindKey(key);
  return index < 0 ? nullptr : &lines_[static_cast<size_t>(index)].value;
}

std::string SettingsFile::ReadSettingString(std::string_view key,
                                            std::string_view def) const {
  const std::string* value = FindValue(key);
  if (value == nullptr) return std::string(def);
  return std::string(TrimRight(TrimLeft(*value, kBlanks)));
}

int32_t SettingsFile::ReadSettingInteger(std::string_view key,
                                         int32_t def) const {
  const std::string* value = FindValue(key);
  return value == nullptr ? def : ParseInteger(*value);
}

float SettingsFile::ReadSettingFloat(std::string_view key, float def) const {
  const std::string* value = FindValue(key);
  return value == nullptr ? def : ParseFloat(*value);
}

void SettingsFile::WriteSettingString(std::string_view key,
                                      std::string_view value) {
  if (path_.empty()) return;
  if (pending_group_) {
    lines_.push_back({Line::Kind::kGroup, OneLine(*pending_group_), {}});
    current_group_ = static_cast<int>(lines_.size()) - 1;
    pending_group_.reset();
  }
  const int found = FindKey(key);
  if (found >= 0) {
    Line& line = lines_[static_cast<size_t>(found)];
    line.name = OneLine(key);
    line.value = OneLine(value);
  } else {
    // After the last line of the current group (or of the top section).
    auto at = std::find_if(
        lines_.begin() + (current_group_ + 1), lines_.end(),
        [](const Line& line) { return line.kind == Line::Kind::kGroup; });
    lines_.insert(at, {Line::Kind::kKey, OneLine(key), OneLine(value)});
  }
  modified_ = true;
}

void SettingsFile::WriteSettingInteger(std::string_view key, int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  WriteSettingString(key, std::string_view(buffer, result.ptr - buffer));
}

void SettingsFile::WriteSettingFloat(std::string_view key, float value) {
  // Room for the widest float, FLT_MAX, with sign and six decimals.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                    std::chars_format::fixed, 6);
  WriteSettingString(key, std::string_view(buffer, result.ptr - buffer));
}

}  // namespace rz
