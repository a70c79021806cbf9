#include "platform/qt/qt_gui.h"

#include <QApplication>

namespace rz {
namespace {

class QtGui final : public Gui {
 public:
  int OpenWindow(std::string_view, int, int) override { return -1; }
  void CloseWindow(int) override {}
  void SetWindowIcon(int, const std::vector<ConstRgbaView>&) override {}
  void EnableWindow(int, bool) override {}
  bool IsForeground(int) override { return false; }
  void BringToFront(int) override {}
  int LoadFont(std::string_view, int) override { return -1; }
  int DefaultFont() override { return -1; }
  void SetControlFont(int) override {}
  TextSize MeasureText(int, std::string_view) override { return {}; }
  void DrawText(int, std::string_view, RgbaView, int, int, uint32_t) override {}
  uint32_t ButtonFaceColour() override { return 0xFFC0C0C0u; }
  int CreateControl(const ControlSpec&) override { return -1; }
  void EnableControl(int, bool) override {}
  void SetText(int, std::string_view) override {}
  std::string GetText(int) override { return {}; }
  void SetPicture(int, ConstRgbaView) override {}
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
    return {};
  }
  bool SaveScreenshot(int, const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<Gui> CreateQtGui() {
  if (qApp == nullptr) return nullptr;
  return std::make_unique<QtGui>();
}

}  // namespace rz
