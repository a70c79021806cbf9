// What the options menu leads to: the information box, the maker's web site,
// the update checker and the document viewer, with the outside launcher
// that the box and the viewer start first. Every file named here is looked
// up in the program's folder, which is the working directory.
#ifndef RIRUZIRUZO_SHELL_SIDE_WINDOWS_H_
#define RIRUZIRUZO_SHELL_SIDE_WINDOWS_H_

#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/gui.h"

namespace rz {

inline constexpr std::string_view kLauncherFile = "Qiv.exe";
inline constexpr std::string_view kInformationFile = "CheckUpdate.ini";
inline constexpr std::string_view kInformationFallbackFile = "CheckUpdate.qivp";
inline constexpr std::string_view kUpdateCheckerFile = "CheckUpdate.exe";
inline constexpr std::string_view kDocumentFile = "Licence/Licence.htm";
inline constexpr std::string_view kGuideFile = "Guide/index.html";
inline constexpr std::string_view kUnknownInformation = "???";
inline constexpr int kViewerWidth = 400;
inline constexpr int kViewerHeight = 300;

// Starts the launcher and waits until it ends, when it is a regular file
// that is not empty; anything else is skipped without a word.
void RunLauncher(Desktop& desktop);

// The first two lines of the information file ("CheckUpdate.ini", else
// "CheckUpdate.qivp"); a missing line is empty. Both are "???" when neither
// file can be read.
struct InformationLines {
  std::string first;
  std::string second;
};
InformationLines ReadInformation();

// Launcher, then a message box titled with the first line showing both.
void ShowInformation(Gui& gui, Desktop& desktop);

// A file:// address of the absolute `path`, with every byte other than
// letters, digits, "-._~/" percent-encoded.
std::string FileAddress(std::string_view path);

// `configured`, or when it is empty the user guide beside the program as a
// file:// address.
std::string WebSiteAddress(std::string_view configured);

// Hands the web-site address chosen when the program was built (or the
// guide) to the desktop; the outcome is not checked.
void OpenWebSite(Desktop& desktop);

// Starts the update checker without waiting; when it cannot be started as
// a program, an existing file of that name goes to the desktop's handler.
void RunUpdateChecker(Desktop& desktop);

// Disables `main_window`, runs the launcher and shows the licence page in a
// window titled `title` until the first close request of any window; every
// other event, the main window's timer ticks included, is dropped. Then
// closes the viewer and enables `main_window` again.
void ShowDocument(Gui& gui, Desktop& desktop, std::string_view title,
                  int main_window);

}  // namespace rz

#endif  // RIRUZIRUZO_SHELL_SIDE_WINDOWS_H_
