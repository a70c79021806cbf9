// A Gui that hands every call on to another one: the base of decorators
// that change a few calls (the replay tool's, tests' acting users).
//
// Ownership: borrows `inner`, which must outlive it.
#ifndef RIRUZIRUZO_PLATFORM_FORWARDING_GUI_H_
#define RIRUZIRUZO_PLATFORM_FORWARDING_GUI_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui.h"

namespace rz {

class ForwardingGui : public Gui {
 public:
  explicit ForwardingGui(Gui& inner) : inner_(inner) {}

  int OpenWindow(std::string_view title, int client_width,
                 int client_height) override {
    return inner_.OpenWindow(title, client_width, client_height);
  }
  void CloseWindow(int window) override { inner_.CloseWindow(window); }
  void SetWindowIcon(int window,
                     const std::vector<ConstRgbaView>& sizes) override {
    inner_.SetWindowIcon(window, sizes);
  }
  void EnableWindow(int window, bool enabled) override {
    inner_.EnableWindow(window, enabled);
  }
  bool IsForeground(int window) override { return inner_.IsForeground(window); }
  void BringToFront(int window) override { inner_.BringToFront(window); }

  int LoadFont(std::string_view face, int points) override {
    return inner_.LoadFont(face, points);
  }
  int DefaultFont() override { return inner_.DefaultFont(); }
  void SetControlFont(int font) override { inner_.SetControlFont(font); }
  TextSize MeasureText(int font, std::string_view text) override {
    return inner_.MeasureText(font, text);
  }
  void DrawText(int font, std::string_view text, RgbaView target, int x, int y,
                uint32_t rgba) override {
    inner_.DrawText(font, text, target, x, y, rgba);
  }
  uint32_t ButtonFaceColour() override { return inner_.ButtonFaceColour(); }

  int CreateControl(const ControlSpec& spec) override {
    return inner_.CreateControl(spec);
  }
  void EnableControl(int id, bool enabled) override {
    inner_.EnableControl(id, enabled);
  }
  void SetText(int id, std::string_view text) override {
    inner_.SetText(id, text);
  }
  std::string GetText(int id) override { return inner_.GetText(id); }
  void SetPicture(int id, ConstRgbaView image) override {
    inner_.SetPicture(id, image);
  }
  void ClearItems(int id) override { inner_.ClearItems(id); }
  void AddItem(int id, std::string_view text) override {
    inner_.AddItem(id, text);
  }
  void RemoveItem(int id, int position) override {
    inner_.RemoveItem(id, position);
  }
  void SetSelection(int id, int position) override {
    inner_.SetSelection(id, position);
  }
  int GetSelection(int id) override { return inner_.GetSelection(id); }
  void SetValue(int id, int value) override { inner_.SetValue(id, value); }
  int GetValue(int id) override { return inner_.GetValue(id); }
  void SetScrollHeight(int id, int height) override {
    inner_.SetScrollHeight(id, height);
  }
  std::vector<ControlInfo> DescribeControls(int window) override {
    return inner_.DescribeControls(window);
  }

  bool CreatePopupMenu(int menu) override {
    return inner_.CreatePopupMenu(menu);
  }
  void AppendMenuItem(int menu, int item, std::string_view text) override {
    inner_.AppendMenuItem(menu, item, text);
  }
  void AppendMenuSeparator(int menu) override {
    inner_.AppendMenuSeparator(menu);
  }
  void ShowPopupMenu(int menu, int window) override {
    inner_.ShowPopupMenu(menu, window);
  }

  void StartTimer(int timer, int window, int period_ms) override {
    inner_.StartTimer(timer, window, period_ms);
  }
  void StopTimer(int timer) override { inner_.StopTimer(timer); }

  Event WaitEvent() override { return inner_.WaitEvent(); }
  void PostEvent(const Event& event) override { inner_.PostEvent(event); }

  MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                            MessageButtons buttons) override {
    return inner_.ShowMessage(title, text, buttons);
  }
  std::string RequestText(std::string_view title,
                          std::string_view prompt) override {
    return inner_.RequestText(title, prompt);
  }

  bool SaveScreenshot(int window, const std::string& png_path) override {
    return inner_.SaveScreenshot(window, png_path);
  }

 protected:
  Gui& inner_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FORWARDING_GUI_H_
