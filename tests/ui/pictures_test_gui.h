// A Gui double for the picture tests: text is drawn as solid blocks whose
// width depends on the font, the foreground window is set by the test, and
// every picture handed over is kept with a count. Everything else is inert.
#ifndef RIRUZIRUZO_TESTS_UI_PICTURES_TEST_GUI_H_
#define RIRUZIRUZO_TESTS_UI_PICTURES_TEST_GUI_H_

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui.h"
#include "ui/image.h"

namespace rz {

class PicturesTestGui final : public Gui {
 public:
  static constexpr int kGlyphHeight = 10;
  static constexpr int kDefaultFont = 99;

  struct Shown {
    RgbaImage image;
    int count = 0;
  };

  // Each character of `font` is a block `width` pixels wide; fonts not set
  // here use 6 pixels.
  void SetGlyphWidth(int font, int width) { glyph_widths_[font] = width; }
  int GlyphWidth(int font) const {
    const auto found = glyph_widths_.find(font);
    return found == glyph_widths_.end() ? 6 : found->second;
  }
  void set_foreground(bool front) { foreground_ = front; }
  void set_button_face(uint32_t rgba) { button_face_ = rgba; }

  const std::map<int, Shown>& shown() const { return shown_; }
  // Number of SetPicture calls, all controls together.
  int picture_updates() const { return picture_updates_; }
  const RgbaImage& Picture(int id) const { return shown_.at(id).image; }
  int Updates(int id) const {
    const auto found = shown_.find(id);
    return found == shown_.end() ? 0 : found->second.count;
  }

  TextSize MeasureText(int font, std::string_view text) override {
    return {static_cast<int>(text.size()) * GlyphWidth(font), kGlyphHeight};
  }
  void DrawText(int font, std::string_view text, RgbaView target, int x, int y,
                uint32_t rgba) override {
    const int w = GlyphWidth(font);
    for (size_t k = 0; k < text.size(); ++k) {
      if (text[k] == ' ') continue;
      const int left = x + static_cast<int>(k) * w;
      for (int row = std::max(y, 0);
           row < std::min(y + kGlyphHeight, target.height); ++row) {
        for (int col = std::max(left, 0);
             col < std::min(left + w, target.width); ++col) {
          uint8_t* p = target.pixels + (row * target.stride + col) * 4;
          const uint32_t blended =
              BlendOver(PackRgba(p[0], p[1], p[2], p[3]), rgba);
          p[0] = RedOf(blended);
          p[1] = GreenOf(blended);
          p[2] = BlueOf(blended);
          p[3] = AlphaOf(blended);
        }
      }
    }
  }
  uint32_t ButtonFaceColour() override { return button_face_; }
  int DefaultFont() override { return kDefaultFont; }
  bool IsForeground(int window) override { return foreground_ && window == 0; }
  void SetPicture(int id, ConstRgbaView view) override {
    Shown& shown = shown_[id];
    shown.image = RgbaImage(view.width, view.height);
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        const uint8_t* p = view.pixels + (y * view.stride + x) * 4;
        shown.image.SetPixel(x, y, PackRgba(p[0], p[1], p[2], p[3]));
      }
    }
    ++shown.count;
    ++picture_updates_;
  }

  // Not used by the pictures.
  int OpenWindow(std::string_view, int, int) override { return 0; }
  void CloseWindow(int) override {}
  void SetWindowIcon(int, const std::vector<ConstRgbaView>&) override {}
  void EnableWindow(int, bool) override {}
  void BringToFront(int) override {}
  int LoadFont(std::string_view, int) override { return 1; }
  void SetControlFont(int) override {}
  int CreateControl(const ControlSpec& spec) override { return spec.id; }
  void EnableControl(int, bool) override {}
  void SetText(int, std::string_view) override {}
  std::string GetText(int) override { return ""; }
  void ClearItems(int) override {}
  void AddItem(int, std::string_view) override {}
  void RemoveItem(int, int) override {}
  void SetSelection(int, int) override {}
  int GetSelection(int) override { return -1; }
  void SetValue(int, int) override {}
  int GetValue(int) override { return 0; }
  void SetScrollHeight(int, int) override {}
  std::vector<ControlInfo> DescribeControls(int) override { return {}; }
  bool CreatePopupMenu(int) override { return false; }
  void AppendMenuItem(int, int, std::string_view) override {}
  void AppendMenuSeparator(int) override {}
  void ShowPopupMenu(int, int) override {}
  void StartTimer(int, int, int) override {}
  void StopTimer(int) override {}
  Event WaitEvent() override { return {}; }
  void PostEvent(const Event&) override {}
  MessageAnswer ShowMessage(std::string_view, std::string_view,
                            MessageButtons) override {
    return MessageAnswer::kOk;
  }
  std::string RequestText(std::string_view, std::string_view) override {
    return "";
  }
  bool SaveScreenshot(int, const std::string&) override { return false; }

 private:
  std::map<int, int> glyph_widths_;
  std::map<int, Shown> shown_;
  int picture_updates_ = 0;
  bool foreground_ = true;
  uint32_t button_face_ = PackRgba(240, 240, 240, 255);
};

}  // namespace rz

#endif  // RIRUZIRUZO_TESTS_UI_PICTURES_TEST_GUI_H_
