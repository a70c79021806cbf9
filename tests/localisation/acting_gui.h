// A Gui over the fake that lets a test act as the user each time the code
// under test waits for an event: windows that run a loop of their own can
// then be driven and inspected while they are open.
#ifndef RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_
#define RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_gui.h"
#include "platform/gui.h"

namespace rz::testing {

class ActingGui final : public Gui {
 public:
  explicit ActingGui(FakeGui& fake) : fake_(fake) {}

  // Runs before each wait with the number of earlier waits.
  std::function<void(int wait)> on_wait;
  // Every event handed out, in order.
  const std::vector<Event>& delivered() const { return delivered_; }

  Event WaitEvent() override {
    if (on_wait) on_wait(static_cast<int>(delivered_.size()));
    const Event event = fake_.WaitEvent();
    delivered_.push_back(event);
    return event;
  }

  int OpenWindow(std::string_view title, int width, int height) override {
    return fake_.OpenWindow(title, width, height);
  }
  void CloseWindow(int window) override { fake_.CloseWindow(window); }
  void SetWindowIcon(int window,
                     const std::vector<ConstRgbaView>& sizes) override {
    fake_.SetWindowIcon(window, sizes);
  }
  void EnableWindow(int window, bool enabled) override {
    fake_.EnableWindow(window, enabled);
  }
  bool IsForeground(int window) override { return fake_.IsForeground(window); }
  void BringToFront(int window) override { fake_.BringToFront(window); }
  int LoadFont(std::string_view face, int points) override {
    return fake_.LoadFont(face, points);
  }
  int DefaultFont() override { return fake_.DefaultFont(); }
  void SetControlFont(int font) override { fake_.SetControlFont(font); }
  TextSize MeasureText(int font, std::string_view text) override {
    return fake_.MeasureText(font, text);
  }
  void DrawText(int font, std::string_view text, RgbaView target, int x, int y,
                uint32_t rgba) override {
    fake_.DrawText(font, text, target, x, y, rgba);
  }
  uint32_t ButtonFaceColour() override { return fake_.ButtonFaceColour(); }
  int CreateControl(const ControlSpec& spec) override {
    return fake_.CreateControl(spec);
  }
  void EnableControl(int id, bool enabled) override {
    fake_.EnableControl(id, enabled);
  }
  void SetText(int id, std::string_view text) override {
    fake_.SetText(id, text);
  }
  std::string GetText(int id) override { return fake_.GetText(id); }
  void SetPicture(int id, ConstRgbaView image) override {
    fake_.SetPicture(id, image);
  }
  void ClearItems(int id) override { fake_.ClearItems(id); }
  void AddItem(int id, std::string_view text) override {
    fake_.AddItem(id, text);
  }
  void RemoveItem(int id, int position) override {
    fake_.RemoveItem(id, position);
  }
  void SetSelection(int id, int position) override {
    fake_.SetSelection(id, position);
  }
  int GetSelection(int id) override { return fake_.GetSelection(id); }
  void SetValue(int id, int value) override { fake_.SetValue(id, value); }
  int GetValue(int id) override { return fake_.GetValue(id); }
  void SetScrollHeight(int id, int height) override {
    fake_.SetScrollHeight(id, height);
  }
  std::vector<ControlInfo> DescribeControls(int window) override {
    return fake_.DescribeControls(window);
  }
  bool CreatePopupMenu(int menu) override {
    return fake_.CreatePopupMenu(menu);
  }
  void AppendMenuItem(int menu, int item, std::string_view text) override {
    fake_.AppendMenuItem(menu, item, text);
  }
  void AppendMenuSeparator(int menu) override {
    fake_.AppendMenuSeparator(menu);
  }
  void ShowPopupMenu(int menu, int window) override {
    fake_.ShowPopupMenu(menu, window);
  }
  void StartTimer(int timer, int window, int period_ms) override {
    fake_.StartTimer(timer, window, period_ms);
  }
  void StopTimer(int timer) override { fake_.StopTimer(timer); }
  void PostEvent(const Event& event) override { fake_.PostEvent(event); }
  MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                            MessageButtons buttons) override {
    return fake_.ShowMessage(title, text, buttons);
  }
  std::string RequestText(std::string_view title,
                          std::string_view prompt) override {
    return fake_.RequestText(title, prompt);
  }
  bool SaveScreenshot(int window, const std::string& png_path) override {
    return fake_.SaveScreenshot(window, png_path);
  }

 private:
  FakeGui& fake_;
  std::vector<Event> delivered_;
};

}  // namespace rz::testing

#endif  // RIRUZIRUZO_TESTS_LOCALISATION_ACTING_GUI_H_
