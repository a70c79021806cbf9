// An in-memory Gui for tests: windows, controls with their state, menus,
// timers in virtual time, one event queue with the real queue's rules,
// scripted answers for the modal boxes and deterministic text.
#ifndef RIRUZIRUZO_PLATFORM_FAKE_FAKE_GUI_H_
#define RIRUZIRUZO_PLATFORM_FAKE_FAKE_GUI_H_

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/manual_clock.h"
#include "platform/gui.h"

namespace rz {

// A copy of an image handed to SetPicture.
struct FakePicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // r | g << 8 | b << 16 | a << 24, packed

  // 0 outside the picture.
  uint32_t Pixel(int x, int y) const;
};

struct FakeControl {
  ControlSpec spec;  // as created; spec.id is the number given out
  bool enabled = true;
  std::string text;
  std::vector<std::string> items;  // choice boxes
  int selection = -1;              // choice boxes
  int value = 0;                   // sliders and check boxes
  int scroll_height = 0;           // scroll controls
  int font = -1;                   // control font when it was created
  FakePicture picture;             // picture controls and picture buttons
  int picture_updates = 0;         // SetPicture calls so far
};

struct FakeWindow {
  std::string title;
  int width = 0;
  int height = 0;
  bool open = true;
  bool enabled = true;
  int icon_sizes = 0;  // images given to SetWindowIcon
};

struct FakeMenu {
  struct Entry {
    int item = 0;  // 0 for a separator
    std::string text;
  };
  std::vector<Entry> entries;
};

struct ShownMessage {
  std::string title;
  std::string text;
  MessageButtons buttons = MessageButtons::kOk;
  MessageAnswer answer = MessageAnswer::kOk;
};

struct ShownRequest {
  std::string title;
  std::string prompt;
  std::string answer;
};

class FakeGui final : public Gui {
 public:
  // Every character is a block of this size in every font; blanks leave
  // their cell empty.
  static constexpr int kCharWidth = 6;
  static constexpr int kCharHeight = 10;
  static constexpr int kFirstAutoId = 10000;

  // Virtual time starts at 0; with a clock, the clock is moved along by as
  // much as the Gui's time moves.
  FakeGui() = default;
  explicit FakeGui(ManualClock& clock) : clock_(&clock) {}

  // Gui.
  int OpenWindow(std::string_view title, int client_width,
                 int client_height) override;
  void CloseWindow(int window) override;
  void SetWindowIcon(int window,
                     const std::vector<ConstRgbaView>& sizes) override;
  void EnableWindow(int window, bool enabled) override;
  bool IsForeground(int window) override;
  void BringToFront(int window) override;
  int LoadFont(std::string_view face, int points) override;
  int DefaultFont() override;
  void SetControlFont(int font) override;
  TextSize MeasureText(int font, std::string_view text) override;
  void DrawText(int font, std::string_view text, RgbaView target, int x, int y,
                uint32_t rgba) override;
  uint32_t ButtonFaceColour() override { return button_face_; }
  int CreateControl(const ControlSpec& spec) override;
  void EnableControl(int id, bool enabled) override;
  void SetText(int id, std::string_view text) override;
  std::string GetText(int id) override;
  void SetPicture(int id, ConstRgbaView image) override;
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override;
  void RemoveItem(int id, int position) override;
  void SetSelection(int id, int position) override;
  int GetSelection(int id) override;
  void SetValue(int id, int value) override;
  int GetValue(int id) override;
  void SetScrollHeight(int id, int height) override;
  std::vector<ControlInfo> DescribeControls(int window) override;
  bool CreatePopupMenu(int menu) override;
  void AppendMenuItem(int menu, int item, std::string_view text) override;
  void AppendMenuSeparator(int menu) override;
  void ShowPopupMenu(int menu, int window) override;
  void StartTimer(int timer, int window, int period_ms) override;
  void StopTimer(int timer) override;
  // Takes the next event; when none waits, virtual time jumps to the
  // earliest due tick. With no event and no timer it returns kNone instead
  // of blocking forever.
  Event WaitEvent() override;
  void PostEvent(const Event& event) override;
  MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  std::string RequestText(std::string_view title,
                          std::string_view prompt) override;
  bool SaveScreenshot(int window, const std::string& png_path) override;

  // What the user does. Each changes the control as a user would and queues
  // the event the toolkit raises; false (and no event) when the control is
  // unknown, of another kind, disabled, or its window is disabled.
  bool UserSelect(int id, int position);  // -1 allowed: an emptied field
  bool UserSetValue(int id, int value);   // sliders, clamped
  bool UserSetCheck(int id, bool checked);
  bool UserClick(int id);  // buttons and picture buttons
  void UserClose(int window);
  // Choices for the next popup menus, in order; a menu shown without one is
  // dismissed.
  void QueueMenuChoice(int item) { menu_choices_.push_back(item); }

  // Scripted answers of the modal boxes, used in order. Without one, a
  // message box answers OK (Yes/No boxes: No) and a requester "". A Yes/No
  // box given kOk answers No; an OK box always answers OK.
  void QueueMessageAnswer(MessageAnswer answer) {
    message_answers_.push_back(answer);
  }
  void QueueTextAnswer(std::string text) {
    text_answers_.push_back(std::move(text));
  }
  const std::vector<ShownMessage>& messages() const { return messages_; }
  const std::vector<ShownRequest>& requests() const { return requests_; }
  const std::vector<int>& shown_menus() const { return shown_menus_; }

  // Virtual time. AdvanceTime makes the ticks that fall due pending (at
  // most one per timer) and moves the clock along.
  uint64_t now() const { return now_; }
  void AdvanceTime(uint64_t ms);
  bool TimerRunning(int timer) const;
  // Events waiting, ticks included.
  int PendingEvents() const;

  void set_foreground(int window) { foreground_ = window; }
  void set_button_face(uint32_t rgba) { button_face_ = rgba; }

  // Inspection; null for unknown numbers. Labels have no number: use
  // DescribeControls or Labels().
  const FakeControl* Control(int id) const;
  std::vector<const FakeControl*> Labels(int window) const;
  const FakeWindow* Window(int window) const;
  const FakeMenu* Menu(int menu) const;
  int control_font() const { return control_font_; }

 private:
  struct Font {
    std::string face;
    int points = 0;
  };
  struct Timer {
    int number = 0;
    int window = 0;
    uint64_t period = 1;
    uint64_t next_due = 0;
    uint64_t start_order = 0;
  };
  struct PendingTick {
    int number = 0;
    int window = 0;
    uint64_t due = 0;
    uint64_t order = 0;
  };

  FakeControl* Find(int id);
  const FakeControl* Find(int id) const;
  FakeControl* FindOfKind(int id, ControlKind kind);
  // A control the user can reach: known, enabled, in an enabled window.
  FakeControl* Reachable(int id, ControlKind kind);
  void PostControlEvent(const FakeControl& control);
  bool FontKnown(int font) const;
  // Marks every timer due at or before now as pending.
  void CollectDueTicks();
  void MarkPending(int number, int window, uint64_t due, uint64_t order);

  ManualClock* clock_ = nullptr;
  uint64_t now_ = 0;
  uint64_t next_start_order_ = 0;

  std::vector<FakeWindow> windows_;
  std::vector<Font> fonts_;
  int default_font_ = -1;
  int control_font_ = -1;
  uint32_t button_face_ = 0xFFF0F0F0;
  int foreground_ = 0;

  // Controls in creation order; labels have id kNoId in their spec.
  std::vector<FakeControl> controls_;
  std::map<int, size_t> by_id_;
  int next_auto_id_ = kFirstAutoId;

  std::map<int, FakeMenu> menus_;
  std::deque<int> menu_choices_;
  std::vector<int> shown_menus_;

  std::map<int, Timer> timers_;
  std::deque<Event> events_;
  std::vector<PendingTick> ticks_;

  std::deque<MessageAnswer> message_answers_;
  std::deque<std::string> text_answers_;
  std::vector<ShownMessage> messages_;
  std::vector<ShownRequest> requests_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FAKE_FAKE_GUI_H_
