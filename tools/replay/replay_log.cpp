#include "tools/replay/replay_log.h"

#include <algorithm>
#include <cinttypes>
#include <filesystem>
#include <system_error>

namespace rz::replay {

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPicture:
      return "picture";
    case ControlKind::kScroll:
      return "scroll";
    case ControlKind::kCombo:
      return "combo";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kEditor:
      return "editor";
    case ControlKind::kSlider:
      return "slider";
    case ControlKind::kText:
      return "text";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kCheck:
      return "check";
    case ControlKind::kPictureButton:
      return "picturebutton";
    case ControlKind::kBrowser:
      return "browser";
  }
  return "unknown";
}

void ReplayLog::Record(const InputRecord& r) {
  // Formatted straight into the stream: the poll cycle calls this and must
  // not allocate.
  if (r.type == InputRecord::Type::kMouse) {
    std::fprintf(file_,
                 "mouse dx=%" PRId32 " dy=%" PRId32 " data=%" PRId32
                 " flags=0x%04" PRIX32 "\n",
                 r.dx, r.dy, r.mouse_data, r.mouse_flags);
  } else {
    std::fprintf(file_, "key vk=0x%02X scan=0x%04X flags=0x%04" PRIX32 "\n",
                 static_cast<unsigned>(r.vk), static_cast<unsigned>(r.scan),
                 r.key_flags);
  }
  std::fflush(file_);
}

void ReplayLog::Message(std::string_view title, std::string_view text,
                        MessageButtons buttons, MessageAnswer answer) {
  const char* answer_word = answer == MessageAnswer::kOk    ? "ok"
                            : answer == MessageAnswer::kYes ? "yes"
                                                            : "no";
  Line("message title=" + Quote(title) + " text=" + Quote(text) +
       " buttons=" + (buttons == MessageButtons::kOk ? "ok" : "yesno") +
       " answer=" + answer_word);
}

void ReplayLog::Request(std::string_view title, std::string_view prompt,
                        std::string_view answer) {
  Line("request title=" + Quote(title) + " prompt=" + Quote(prompt) +
       " answer=" + Quote(answer));
}

void ReplayLog::Chooser(const std::vector<std::string>& items,
                        std::string_view selected, const std::string* answer) {
  // The chooser keeps the directory's order, which differs from one file
  // system to the next; the log must read the same everywhere.
  std::vector<std::string> sorted = items;
  std::sort(sorted.begin(), sorted.end());
  std::string joined;
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (i > 0) joined += '|';
    joined += sorted[i];
  }
  Line("chooser items=" + Quote(joined) + " selected=" + Quote(selected) +
       " answer=" + (answer != nullptr ? Quote(*answer) : "close"));
}

void ReplayLog::Launch(std::string_view path, bool wait) {
  Line("launch path=" + Quote(path) + " wait=" + (wait ? "1" : "0"));
}

void ReplayLog::Open(std::string_view target) {
  Line("open target=" + Quote(target));
}

void ReplayLog::Viewer(std::string_view title, std::string_view file) {
  Line("viewer title=" + Quote(title) + " file=" + Quote(file));
}

void ReplayLog::Restart(std::string_view path) {
  Line("restart path=" + Quote(path));
}

void ReplayLog::Control(const ControlInfo& c) {
  Line("control id=" + std::to_string(c.id) +
       " kind=" + std::string(KindName(c.kind)) + " x=" + std::to_string(c.x) +
       " y=" + std::to_string(c.y) + " w=" + std::to_string(c.width) + " h=" +
       std::to_string(c.height) + " enabled=" + (c.enabled ? "1" : "0") +
       " state=" + std::to_string(c.state) + " text=" + Quote(c.text) +
       " items=" + std::to_string(c.items));
}

void ReplayLog::Exit(int code) { Line("exit code=" + std::to_string(code)); }

void ReplayLog::Line(const std::string& line) {
  std::fputs(line.c_str(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

bool LoggingDesktop::Launch(const std::string& path, bool wait) {
  log_.Launch(path, wait);
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool LoggingDesktop::Open(const std::string& target) {
  log_.Open(target);
  return true;
}

bool LoggingDesktop::Restart(const std::string& path) {
  log_.Restart(path);
  return true;
}

}  // namespace rz::replay
