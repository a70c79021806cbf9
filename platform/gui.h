// Windows, controls, menus, timers, modal boxes and text rendering: the one
// windowing seam of the program.
//
// Ownership: the composition root owns the Gui; every other part borrows it
// and names windows, controls, menus and timers by small integers. Images are
// composed by the program and handed over as RGBA views; the Gui copies what
// it needs and never keeps a view.
//
// Error convention: creation calls return false (or -1 for handles) when the
// object cannot be made; calls on an unknown number do nothing and return a
// neutral value (0, -1 or "").
//
// Event model: one queue. Control signals push a control event with the
// control's number, a close box pushes a close request (the window stays open
// until the program closes it), menus push a menu event with the item number.
// Timer ticks are low priority: at most one pending tick per timer, delivered
// only when no other event waits. Changing a control through this interface
// never raises an event; only the user does.
#ifndef RIRUZIRUZO_PLATFORM_GUI_H_
#define RIRUZIRUZO_PLATFORM_GUI_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rz {

// Non-premultiplied RGBA, 8 bits a channel, rows top-down, `stride` pixels
// (not bytes) a row; pixel = r | g << 8 | b << 16 | a << 24 in memory order
// R, G, B, A.
struct RgbaView {
  uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

struct ConstRgbaView {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

enum class EventKind { kNone, kTimer, kMenu, kControl, kClose };

struct Event {
  EventKind kind = EventKind::kNone;
  int number = 0;  // timer, menu item or control number
  int window = 0;  // window the event belongs to
  friend bool operator==(const Event&, const Event&) = default;
};

enum class ControlKind {
  kPicture,        // shows an RGBA image
  kScroll,         // scrolling container; children name it as parent
  kCombo,          // non-editable drop-down list
  kButton,         // push button with a caption
  kEditor,         // read-only multi-line text box with scroll bars
  kSlider,         // horizontal slider with tick marks
  kText,           // a text control with a number (for example a label
                   // whose text the program changes)
  kLabel,          // static text without a number (id -1)
  kCheck,          // check box that toggles itself
  kPictureButton,  // push button showing an RGBA image and no text
  kBrowser,        // read-only HTML view of a local file (text = path)
};

inline constexpr int kNoId = -1;    // labels
inline constexpr int kAutoId = -2;  // let the Gui choose a number

struct ControlSpec {
  int id = kAutoId;
  ControlKind kind = ControlKind::kLabel;
  int window = 0;   // owning window
  int parent = -1;  // a scroll control's number, or -1 for the window itself
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string text;  // caption, label text, or the browser's file path
  int min = 0;       // sliders
  int max = 0;
};

// What the program can observe of a control (tests and the replay tool).
struct ControlInfo {
  int id = kNoId;
  ControlKind kind = ControlKind::kLabel;
  int x = 0;  // relative to the parent (window or scroll inner surface)
  int y = 0;
  int width = 0;
  int height = 0;
  bool enabled = true;
  int state = 0;  // selected position, slider value or check state
  std::string text;
  int items = 0;  // entries of a choice box
};

struct TextSize {
  int width = 0;
  int height = 0;
};

enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

class Gui {
 public:
  virtual ~Gui() = default;

  // Windows. The first window opened is window 0. Fixed client size,
  // centred on the screen, caption and close box, no minimise or maximise
  // box, not resizable. Returns the window's number or -1.
  virtual int OpenWindow(std::string_view title, int client_width,
                         int client_height) = 0;
  virtual void CloseWindow(int window) = 0;
  virtual void SetWindowIcon(int window,
                             const std::vector<ConstRgbaView>& sizes) = 0;
  virtual void EnableWindow(int window, bool enabled) = 0;
  // Whether the desktop's foreground window is `window` of this process.
  virtual bool IsForeground(int window) = 0;
  virtual void BringToFront(int window) = 0;

  // Fonts: face and point size, pixel height = points x vertical DPI / 72.
  // Returns a font handle or -1.
  virtual int LoadFont(std::string_view face, int points) = 0;
  // The toolkit's default GUI font.
  virtual int DefaultFont() = 0;
  // The font of every control created afterwards.
  virtual void SetControlFont(int font) = 0;
  virtual TextSize MeasureText(int font, std::string_view text) = 0;
  // Draws `text` alpha-blended, without a background, with its top-left
  // corner at (x, y); `rgba` as in RgbaView.
  virtual void DrawText(int font, std::string_view text, RgbaView target,
                        int x, int y, uint32_t rgba) = 0;
  // The system colour of button faces, as 0xAABBGGRR (alpha 255).
  virtual uint32_t ButtonFaceColour() = 0;

  // Controls. Returns the control's number (spec.id, or a new number for
  // kAutoId), or -1. Tab order is creation order.
  virtual int CreateControl(const ControlSpec& spec) = 0;
  virtual void EnableControl(int id, bool enabled) = 0;
  virtual void SetText(int id, std::string_view text) = 0;
  virtual std::string GetText(int id) = 0;  // a combo's: the selected entry
  virtual void SetPicture(int id, ConstRgbaView image) = 0;
  // Choice boxes.
  virtual void ClearItems(int id) = 0;
  virtual void AddItem(int id, std::string_view text) = 0;
  virtual void RemoveItem(int id, int position) = 0;
  virtual void SetSelection(int id, int position) = 0;  // -1: none
  virtual int GetSelection(int id) = 0;                 // -1: none
  // Sliders (clamped to their range) and check boxes (0 or 1).
  virtual void SetValue(int id, int value) = 0;
  virtual int GetValue(int id) = 0;
  // Height of a scroll control's inner surface.
  virtual void SetScrollHeight(int id, int height) = 0;
  virtual std::vector<ControlInfo> DescribeControls(int window) = 0;

  // Menus.
  virtual bool CreatePopupMenu(int menu) = 0;
  virtual void AppendMenuItem(int menu, int item, std::string_view text) = 0;
  virtual void AppendMenuSeparator(int menu) = 0;
  // Shows `menu` at the pointer, owned by `window`; a choice comes back as
  // a menu event.
  virtual void ShowPopupMenu(int menu, int window) = 0;

  // Timers: ticks of `timer` every `period_ms` (0 counts as 1 ms).
  virtual void StartTimer(int timer, int window, int period_ms) = 0;
  virtual void StopTimer(int timer) = 0;

  // Events. WaitEvent blocks until an event is there.
  virtual Event WaitEvent() = 0;
  // Adds an event at the back of the queue (as the toolkit would).
  virtual void PostEvent(const Event& event) = 0;

  // Modal boxes: they block the caller; ticks coalesce meanwhile.
  virtual MessageAnswer ShowMessage(std::string_view title,
                                    std::string_view text,
                                    MessageButtons buttons) = 0;
  // OK or Enter returns the typed text; Escape or closing returns "".
  virtual std::string RequestText(std::string_view title,
                                  std::string_view prompt) = 0;

  // A PNG of the window's client area, for tests and documentation.
  virtual bool SaveScreenshot(int window, const std::string& png_path) = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_GUI_H_
