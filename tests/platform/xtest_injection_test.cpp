#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/actions.h"
#include "platform/keys.h"
#include "platform/xtest/xtest_sink.h"
#include "tests/platform/test_records.h"
#include "tests/platform/x_test_window.h"

namespace rz {
namespace {

// X keycodes of the US Q and A positions.
constexpr int kKeycodeQ = 24;
constexpr int kKeycodeA = 38;

class XTestSinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    window_ = XTestWindow::Open(error);
    if (window_ == nullptr) GTEST_SKIP() << error;
    sink_ = CreateXTestSink();
    ASSERT_NE(sink_, nullptr) << "the X server has no XTest extension";
  }

  // Sends `press` and then its release; returns the key that reached the
  // window, with keycode 0 when something went astray.
  XTestWindow::Key PressAndRelease(InputRecord press) {
    XTestWindow::Key down;
    sink_->Send(press);
    if (!window_->NextKey(down) || !down.press) return {};
    press.key_flags |= kKeyUp;
    sink_->Send(press);
    XTestWindow::Key up;
    if (!window_->NextKey(up) || up.press || up.keycode != down.keycode) {
      ADD_FAILURE() << "no matching release of keycode " << down.keycode;
      return {};
    }
    return down;
  }

  void ExpectButton(uint32_t down_flags, uint32_t up_flags,
                    unsigned int button) {
    SCOPED_TRACE("button " + std::to_string(button));
    XTestWindow::Button event;
    sink_->Send(MouseRecord(down_flags));
    ASSERT_TRUE(window_->NextButton(event));
    EXPECT_TRUE(event.press);
    EXPECT_EQ(event.button, button);
    sink_->Send(MouseRecord(up_flags));
    ASSERT_TRUE(window_->NextButton(event));
    EXPECT_FALSE(event.press);
    EXPECT_EQ(event.button, button);
  }

  std::unique_ptr<XTestWindow> window_;
  std::unique_ptr<InputSink> sink_;
};

TEST_F(XTestSinkTest, KeyInEachModeReachesTheFocusedWindow) {
  XTestWindow::Key key = PressAndRelease(KeyRecord(0, 0x041E, kKeyScanCode));
  EXPECT_EQ(key.keycode, kKeycodeA) << "scan word of A";
  EXPECT_EQ(key.keysym, static_cast<uint32_t>(XK_a));
  key = PressAndRelease(KeyRecord(0x1B, 0, 0));
  EXPECT_EQ(key.keycode, 9) << "virtual key Escape";
  EXPECT_EQ(key.keysym, static_cast<uint32_t>(XK_Escape));
  key = PressAndRelease(KeyRecord(0, 0x049D, kKeyScanCode));
  EXPECT_EQ(key.keycode, 105) << "scan word of Right Ctrl";
  EXPECT_EQ(key.keysym, static_cast<uint32_t>(XK_Control_R));
}

TEST_F(XTestSinkTest, EveryCatalogueKeyPressesItsUsKeyInBothModes) {
  if (!window_->KeymapIsUs()) GTEST_SKIP() << "the X keyboard layout is not US";
  for (int i = 0; i < kActionCount; ++i) {
    const ActionRow& row = kActionRows[i];
    if (row.kind != ActionKind::kKey) continue;
    SCOPED_TRACE("action " + std::to_string(i));
    const auto scan = static_cast<uint16_t>(row.value2);
    // X numbers keys as the Linux key code plus 8.
    const int expected = EvdevKeyFromScanWord(scan) + 8;
    EXPECT_EQ(PressAndRelease(KeyRecord(0, scan, kKeyScanCode)).keycode,
              expected);
    EXPECT_EQ(PressAndRelease(KeyRecord(static_cast<uint16_t>(row.value), 0, 0))
                  .keycode,
              expected);
  }
}

TEST_F(XTestSinkTest, VirtualKeysFollowALayoutChangedWhileRunning) {
  if (!window_->KeymapIsUs()) GTEST_SKIP() << "the X keyboard layout is not US";
  // The sink has looked the layout up before it changes.
  ASSERT_EQ(PressAndRelease(KeyRecord(0x41, 0, 0)).keycode, kKeycodeA);

  window_->SwapKeys(kKeycodeQ, kKeycodeA);  // as a French layout does

  XTestWindow::Key key = PressAndRelease(KeyRecord(0x41, 0, 0));
  EXPECT_EQ(key.keycode, kKeycodeQ) << "virtual key A kept the old layout";
  EXPECT_EQ(key.keysym, static_cast<uint32_t>(XK_a));
  key = PressAndRelease(KeyRecord(0, 0x041E, kKeyScanCode));
  EXPECT_EQ(key.keycode, kKeycodeA) << "a scan word is a position";
  EXPECT_EQ(key.keysym, static_cast<uint32_t>(XK_q));
}

TEST_F(XTestSinkTest, RelativeMotionMovesThePointerByExactlyThatAmount) {
  window_->SwitchOffPointerAcceleration();
  struct Step {
    int32_t dx;
    int32_t dy;
  };
  for (const Step step : {Step{7, -5}, Step{-20, 13}, Step{1, 0}}) {
    SCOPED_TRACE("motion " + std::to_string(step.dx) + "," +
                 std::to_string(step.dy));
    int x0 = 0;
    int y0 = 0;
    window_->PointerPosition(x0, y0);
    sink_->Send(MouseRecord(kMouseEventMove, step.dx, step.dy));
    int x = 0;
    int y = 0;
    window_->WaitForPointerToLeave(x0, y0, x, y);
    EXPECT_EQ(x - x0, step.dx);
    EXPECT_EQ(y - y0, step.dy);
  }
}

TEST_F(XTestSinkTest, ButtonsAndWheelNotchesReachTheWindow) {
  ExpectButton(kMouseEventLeftDown, kMouseEventLeftUp, 1);
  ExpectButton(kMouseEventRightDown, kMouseEventRightUp, 3);
  ExpectButton(kMouseEventMiddleDown, kMouseEventMiddleUp, 2);
  for (const int32_t data : {kWheelDelta, -kWheelDelta}) {
    SCOPED_TRACE("wheel " + std::to_string(data));
    const unsigned int button = data > 0 ? 4 : 5;  // up, down
    sink_->Send(MouseRecord(kMouseEventWheel, 0, 0, data));
    XTestWindow::Button event;
    ASSERT_TRUE(window_->NextButton(event));
    EXPECT_TRUE(event.press);
    EXPECT_EQ(event.button, button);
    ASSERT_TRUE(window_->NextButton(event));
    EXPECT_FALSE(event.press);
    EXPECT_EQ(event.button, button);
  }
}

}  // namespace
}  // namespace rz
