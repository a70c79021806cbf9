#include "tools/replay/script.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>

namespace rz::replay {
namespace {

// One word of a command line: `key=value`, a bare word or a quoted string
// (possibly after `key=`).
struct Token {
  std::string key;
  bool has_key = false;
  std::string value;
  bool quoted = false;
};

struct Tokens {
  std::vector<Token> tokens;
  std::string error;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

Tokens Tokenise(std::string_view line) {
  Tokens out;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return out;
    Token token;
    while (i < line.size() && !IsBlank(line[i])) {
      const char c = line[i];
      if (c == '=' && !token.has_key && !token.quoted) {
        token.key = std::move(token.value);
        token.value.clear();
        token.has_key = true;
        ++i;
      } else if (c == '"') {
        if (token.quoted || !token.value.empty()) {
          out.error = "a quoted string must stand alone or follow key=";
          return out;
        }
        token.quoted = true;
        ++i;
        bool closed = false;
        while (i < line.size()) {
          const char q = line[i++];
          if (q == '"') {
            closed = true;
            break;
          }
          if (q != '\\') {
            token.value += q;
            continue;
          }
          if (i >= line.size()) break;
          const char e = line[i++];
          if (e == '"' || e == '\\') {
            token.value += e;
          } else if (e == 'n') {
            token.value += '\n';
          } else {
            out.error = std::string("unknown escape \\") + e;
            return out;
          }
        }
        if (!closed) {
          out.error = "unterminated string";
          return out;
        }
        if (i < line.size() && !IsBlank(line[i])) {
          out.error = "text after a closing quote";
          return out;
        }
      } else {
        if (token.quoted) {
          out.error = "text after a closing quote";
          return out;
        }
        token.value += c;
        ++i;
      }
    }
    out.tokens.push_back(std::move(token));
  }
}

// Decimal with an optional minus sign, or 0x hexadecimal.
std::optional<int64_t> ParseInteger(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int base = 10;
  bool negative = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() ||
      text.empty()) {
    return std::nullopt;
  }
  if (value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
    return std::nullopt;
  }
  const auto magnitude = static_cast<int64_t>(value);
  return negative ? -magnitude : magnitude;
}

class LineParser {
 public:
  explicit LineParser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::optional<Command> Parse() {
    const std::string& verb = tokens_[0].value;
    if (tokens_[0].quoted || tokens_[0].has_key) return Fail("no command");
    if (verb == "caps") return Caps();
    if (verb == "range") {
      RangeCommand c;
      if (!Count(4) || !AxisAt(1, c.axis) || !Int32At(2, c.min) ||
          !Int32At(3, c.max)) {
        return std::nullopt;
      }
      return c;
    }
    if (verb == "clock") {
      ClockCommand c;
      if (!Count(2) || !Uint32At(1, c.ms)) return std::nullopt;
      return c;
    }
    if (verb == "axis") {
      AxisCommand c;
      if (!Count(3) || !AxisAt(1, c.axis) || !Int32At(2, c.value)) {
        return std::nullopt;
      }
      return c;
    }
    if (verb == "buttons") {
      ButtonsCommand c;
      if (!Count(2) || !Uint32At(1, c.mask)) return std::nullopt;
      return c;
    }
    if (verb == "hat") {
      HatCommand c;
      if (!Count(2) || !Uint32At(1, c.angle)) return std::nullopt;
      return c;
    }
    if (verb == "posresult") {
      PosResultCommand c;
      if (!Count(2) || !IntAt(1, c.result)) return std::nullopt;
      return c;
    }
    if (verb == "poll") {
      PollCommand c;
      if (!Count(2) || !NonNegativeAt(1, c.count)) return std::nullopt;
      return c;
    }
    if (verb == "wait") {
      WaitCommand c;
      if (!Count(2) || !NonNegativeAt(1, c.ms)) return std::nullopt;
      return c;
    }
    if (verb == "select") return User(UserCommand::Kind::kSelect, 3);
    if (verb == "slider") return User(UserCommand::Kind::kSlider, 3);
    if (verb == "check") return User(UserCommand::Kind::kCheck, 3);
    if (verb == "click") return User(UserCommand::Kind::kClick, 2);
    if (verb == "menu") return User(UserCommand::Kind::kMenu, 2);
    if (verb == "close") return User(UserCommand::Kind::kClose, 1);
    if (verb == "answer") return Answer();
    if (verb == "chooser") {
      if (!Count(2)) return std::nullopt;
      const Token& t = tokens_[1];
      if (t.quoted) return ChooserCommand{false, t.value};
      if (t.value == "close") return ChooserCommand{true, ""};
      return Fail("chooser takes \"NAME\" or close");
    }
    if (verb == "foreground") {
      int value = 0;
      if (!Count(2) || !IntAt(1, value)) return std::nullopt;
      if (value != 0 && value != 1) return Fail("foreground takes 0 or 1");
      return ForegroundCommand{value == 1};
    }
    if (verb == "screenshot") {
      if (!Count(2)) return std::nullopt;
      if (tokens_[1].has_key || tokens_[1].value.empty()) {
        return Fail("screenshot needs a file");
      }
      return ScreenshotCommand{tokens_[1].value};
    }
    if (verb == "controls") {
      if (!Count(1)) return std::nullopt;
      return ControlsCommand{};
    }
    return Fail("unknown command \"" + verb + "\"");
  }

  const std::string& error() const { return error_; }

 private:
  std::nullopt_t Fail(std::string message) {
    error_ = std::move(message);
    return std::nullopt;
  }

  bool Count(size_t n) {
    if (tokens_.size() == n) return true;
    Fail(tokens_[0].value + " takes " + std::to_string(n - 1) + " argument" +
         (n == 2 ? "" : "s"));
    return false;
  }

  bool Number(const Token& token, int64_t min, int64_t max, int64_t& out) {
    const auto value = token.quoted ? std::nullopt : ParseInteger(token.value);
    if (!value || *value < min || *value > max) {
      Fail("bad number \"" + token.value + "\"");
      return false;
    }
    out = *value;
    return true;
  }

  bool Plain(size_t i) {
    if (!tokens_[i].has_key) return true;
    Fail("unexpected \"" + tokens_[i].key + "=\"");
    return false;
  }

  template <typename T>
  bool Bounded(size_t i, T& out) {
    int64_t value = 0;
    if (!Plain(i) || !Number(tokens_[i], std::numeric_limits<T>::min(),
                             std::numeric_limits<T>::max(), value)) {
      return false;
    }
    out = static_cast<T>(value);
    return true;
  }
  bool IntAt(size_t i, int& out) { return Bounded(i, out); }
  bool Int32At(size_t i, int32_t& out) { return Bounded(i, out); }
  bool Uint32At(size_t i, uint32_t& out) { return Bounded(i, out); }
  bool NonNegativeAt(size_t i, int64_t& out) {
    return Plain(i) &&
           Number(tokens_[i], 0, std::numeric_limits<int64_t>::max(), out);
  }

  bool AxisAt(size_t i, Axis& out) {
    static constexpr std::string_view kNames = "XYZRUV";
    const std::string& name = tokens_[i].value;
    if (!tokens_[i].quoted && !tokens_[i].has_key && name.size() == 1) {
      const char upper = (name[0] >= 'a' && name[0] <= 'z')
                             ? static_cast<char>(name[0] - 32)
                             : name[0];
      const size_t index = kNames.find(upper);
      if (index != std::string_view::npos) {
        out = static_cast<Axis>(index);
        return true;
      }
    }
    Fail("bad axis \"" + name + "\" (X Y Z R U V)");
    return false;
  }

  std::optional<Command> Caps() {
    CapsCommand c;
    for (size_t i = 1; i < tokens_.size(); ++i) {
      const Token& t = tokens_[i];
      if (!t.has_key) return Fail("caps takes key=value pairs");
      int64_t value = 0;
      if (t.key == "name") {
        c.name = t.value;
        continue;
      }
      if (!Number(t, std::numeric_limits<int>::min(),
                  std::numeric_limits<int>::max(), value)) {
        return std::nullopt;
      }
      const int v = static_cast<int>(value);
      if (t.key == "result") {
        c.result = v;
      } else if (t.key == "axes") {
        c.axes = v;
      } else if (t.key == "buttons") {
        c.buttons = v;
      } else if (t.key == "hat") {
        if (v != 0 && v != 1) return Fail("hat takes 0 or 1");
        c.hat = v == 1;
      } else if (t.key == "period") {
        c.period = v;
      } else {
        return Fail("unknown caps key \"" + t.key + "\"");
      }
    }
    return c;
  }

  std::optional<Command> User(UserCommand::Kind kind, size_t count) {
    UserCommand c;
    c.kind = kind;
    if (!Count(count)) return std::nullopt;
    if (count >= 2 && !IntAt(1, c.id)) return std::nullopt;
    if (count >= 3 && !IntAt(2, c.value)) return std::nullopt;
    if (kind == UserCommand::Kind::kCheck && c.value != 0 && c.value != 1) {
      return Fail("check takes 0 or 1");
    }
    return c;
  }

  std::optional<Command> Answer() {
    if (!Count(2)) return std::nullopt;
    const Token& t = tokens_[1];
    if (t.quoted) return AnswerCommand{AnswerCommand::Kind::kText, t.value};
    if (t.value == "ok") return AnswerCommand{AnswerCommand::Kind::kOk, ""};
    if (t.value == "yes") return AnswerCommand{AnswerCommand::Kind::kYes, ""};
    if (t.value == "no") return AnswerCommand{AnswerCommand::Kind::kNo, ""};
    if (t.value == "cancel") {
      return AnswerCommand{AnswerCommand::Kind::kCancel, ""};
    }
    return Fail("answer takes ok, yes, no, cancel or \"TEXT\"");
  }

  std::vector<Token> tokens_;
  std::string error_;
};

}  // namespace

ParseResult ParseScript(std::string_view text) {
  ParseResult result;
  int line_number = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#') continue;
    Tokens tokens = Tokenise(line);
    std::optional<Command> command;
    std::string error = tokens.error;
    if (error.empty()) {
      LineParser parser(std::move(tokens.tokens));
      command = parser.Parse();
      error = parser.error();
    }
    if (!command) {
      result.error_line = line_number;
      result.error = error;
      return result;
    }
    result.script.lines.push_back({line_number, std::move(*command)});
  }
  result.ok = true;
  return result;
}

bool EndsSetUp(const Command& command) {
  return std::holds_alternative<PollCommand>(command) ||
         std::holds_alternative<WaitCommand>(command) ||
         std::holds_alternative<UserCommand>(command) ||
         std::holds_alternative<ScreenshotCommand>(command) ||
         std::holds_alternative<ControlsCommand>(command);
}

}  // namespace rz::replay
