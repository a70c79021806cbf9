#include "shell/side_windows.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "profiles/text_encoding.h"

#ifndef RZ_WEBSITE_ADDRESS
#define RZ_WEBSITE_ADDRESS ""
#endif

namespace rz {
namespace {

namespace fs = std::filesystem;

// Two title lines never need more; a huge file is not read whole.
constexpr std::streamsize kMaxInformationBytes = 64 * 1024;

// `relative` resolved against the working directory (the program's folder);
// as it stands when the working directory cannot be found.
std::string InProgramFolder(std::string_view relative) {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  return error ? std::string(relative) : (folder / relative).string();
}

// The start of the regular file at `path`, or false.
bool ReadStart(const std::string& path, std::string* bytes) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->resize(kMaxInformationBytes);
  in.read(bytes->data(), kMaxInformationBytes);
  bytes->resize(static_cast<size_t>(in.gcount()));
  return !in.bad();
}

// The next line of `text` from `*pos`, as plain 8-bit text: UTF-8 when it
// is valid, else Windows-1252. A missing line is empty.
std::string NextInformationLine(std::string_view text, size_t* pos) {
  std::string_view line;
  if (!NextLine(text, pos, &line)) return {};
  return DecodeText(line).text;
}

}  // namespace

void RunLauncher(Desktop& desktop) {
  const std::string launcher(kLauncherFile);
  std::error_code error;
  if (!fs::is_regular_file(launcher, error)) return;
  const uintmax_t size = fs::file_size(launcher, error);
  if (error || size == 0) return;
  // The launcher's outcome does not matter.
  desktop.Launch(launcher, true);
}

InformationLines ReadInformation() {
  std::string bytes;
  if (!ReadStart(std::string(kInformationFile), &bytes) &&
      !ReadStart(std::string(kInformationFallbackFile), &bytes)) {
    return {std::string(kUnknownInformation), std::string(kUnknownInformation)};
  }
  InformationLines lines;
  size_t pos = 0;
  lines.first = NextInformationLine(bytes, &pos);
  lines.second = NextInformationLine(bytes, &pos);
  return lines;
}

void ShowInformation(Gui& gui, Desktop& desktop) {
  RunLauncher(desktop);
  const InformationLines lines = ReadInformation();
  gui.ShowMessage(lines.first, lines.first + "\n" + lines.second,
                  MessageButtons::kOk);
}

std::string FileAddress(std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string address = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                       c == '_' || c == '~' || c == '/';
    if (plain) {
      address += c;
    } else {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0xF];
    }
  }
  return address;
}

std::string WebSiteAddress(std::string_view configured) {
  return configured.empty() ? FileAddress(InProgramFolder(kGuideFile))
                            : std::string(configured);
}

void OpenWebSite(Desktop& desktop) {
  desktop.Open(WebSiteAddress(RZ_WEBSITE_ADDRESS));
}

void RunUpdateChecker(Desktop& desktop) {
  const std::string checker(kUpdateCheckerFile);
  if (desktop.Launch(checker, false)) return;
  // Nothing to hand over when there is no such file.
  std::error_code error;
  if (fs::is_regular_file(checker, error)) {
    desktop.Open(InProgramFolder(checker));
  }
}

void ShowDocument(Gui& gui, Desktop& desktop, std::string_view title,
                  int main_window) {
  gui.EnableWindow(main_window, false);
  RunLauncher(desktop);
  const int viewer = gui.OpenWindow(title, kViewerWidth, kViewerHeight);
  if (viewer >= 0) {
    ControlSpec browser;
    browser.kind = ControlKind::kBrowser;
    browser.window = viewer;
    browser.width = kViewerWidth;
    browser.height = kViewerHeight;
    browser.text = InProgramFolder(kDocumentFile);
    // Without the control the window still opens, empty.
    gui.CreateControl(browser);
    // Every event is dropped, so the mapping pauses while the page is shown.
    // kNone: a Gui with nothing left to deliver will not deliver a close.
    EventKind kind;
    do {
      kind = gui.WaitEvent().kind;
    } while (kind != EventKind::kClose && kind != EventKind::kNone);
    gui.CloseWindow(viewer);
  }
  gui.EnableWindow(main_window, true);
}

}  // namespace rz
