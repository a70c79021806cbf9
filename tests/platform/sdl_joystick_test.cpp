#include "platform/sdl/sdl_joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

namespace rz {
namespace {

constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

// A virtual device attached for one test, with a handle of our own to drive
// its inputs.
class VirtualDevice {
 public:
  explicit VirtualDevice(const SDL_VirtualJoystickDesc& desc) {
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) handle_ = SDL_JoystickOpen(index);
    if (handle_ != nullptr) instance_ = SDL_JoystickInstanceID(handle_);
  }
  ~VirtualDevice() { Detach(); }

  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  bool attached() const { return handle_ != nullptr; }
  void SetAxis(int axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(handle_, axis, value);
  }
  void SetButton(int button, bool pressed) {
    SDL_JoystickSetVirtualButton(handle_, button, pressed ? 1 : 0);
  }
  void SetHat(int hat, Uint8 value) {
    SDL_JoystickSetVirtualHat(handle_, hat, value);
  }

  // Pulls the device out.
  void Detach() {
    if (handle_ == nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == instance_) {
        SDL_JoystickDetachVirtual(i);
        break;
      }
    }
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
  }

 private:
  SDL_Joystick* handle_ = nullptr;
  SDL_JoystickID instance_ = -1;
};

// A device SDL recognises as a game controller. SDL maps a virtual
// controller's button i to controller button i and its axes 0..5 to the left
// stick, the right stick and the two triggers.
SDL_VirtualJoystickDesc PadDesc() {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  // Up to the first paddle: two buttons beyond the guide button.
  desc.nbuttons = SDL_CONTROLLER_BUTTON_PADDLE1 + 1;
  desc.name = "Test Pad";
  return desc;
}

SDL_VirtualJoystickDesc StickDesc() {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_FLIGHT_STICK;
  desc.naxes = 8;
  desc.nbuttons = 40;
  desc.nhats = 2;
  desc.name = "Test Stick";
  return desc;
}

struct HatCase {
  Uint8 sdl_hat;
  uint32_t angle;
};

constexpr HatCase kHatCases[] = {
    {SDL_HAT_CENTERED, kPovCentred}, {SDL_HAT_UP, 0},
    {SDL_HAT_RIGHTUP, 4500},         {SDL_HAT_RIGHT, 9000},
    {SDL_HAT_RIGHTDOWN, 13500},      {SDL_HAT_DOWN, 18000},
    {SDL_HAT_LEFTDOWN, 22500},       {SDL_HAT_LEFT, 27000},
    {SDL_HAT_LEFTUP, 31500},
};

void ExpectSdlRangesAndPeriod(const JoystickCaps& caps) {
  for (const AxisRange& range : caps.range) {
    EXPECT_EQ(range.min, -32768);
    EXPECT_EQ(range.max, 32767);
  }
  EXPECT_EQ(caps.period_min, 10);
}

class SdlJoystickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Leave USB devices to the kernel driver, so that only a real
    // controller plugged into this machine could show up.
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    ASSERT_EQ(SDL_InitSubSystem(kSubsystems), 0) << SDL_GetError();
    initialised_ = true;
    if (SDL_NumJoysticks() > 0) {
      GTEST_SKIP() << "a real controller is connected; these tests need the "
                      "virtual device to be the first one SDL lists";
    }
  }
  void TearDown() override {
    if (initialised_) SDL_QuitSubSystem(kSubsystems);
  }

  // A trigger at rest: virtual axes start at 0, which SDL reads as half of
  // a trigger's travel.
  static void ReleaseTriggers(VirtualDevice& pad) {
    pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
    pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
  }

  static JoystickPosition Read(Joystick& joystick) {
    JoystickPosition pos;
    pos.buttons = 0xDEADBEEF;  // must be overwritten
    EXPECT_EQ(joystick.GetPosition(pos), kJoyNoError);
    return pos;
  }

  bool initialised_ = false;
};

TEST_F(SdlJoystickTest, GameControllerHasTwoSticksXYAndRZ) {
  VirtualDevice pad(PadDesc());
  ASSERT_TRUE(pad.attached()) << SDL_GetError();
  ReleaseTriggers(pad);
  auto joystick = CreateSdlJoystick();
  JoystickCaps caps;
  ASSERT_EQ(joystick->GetCaps(caps), kJoyNoError);
  EXPECT_EQ(caps.name, "Test Pad");
  EXPECT_EQ(caps.num_axes, 4);
  EXPECT_EQ(caps.num_buttons, 15);  // 13 fixed, then misc and paddle 1
  EXPECT_EQ(caps.caps & kJoyCapsHasPov, kJoyCapsHasPov);
  ExpectSdlRangesAndPeriod(caps);

  pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, 1234);
  pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, -4321);
  const JoystickPosition pos = Read(*joystick);
  EXPECT_EQ(pos.axis[kAxisX], -32768);
  EXPECT_EQ(pos.axis[kAxisY], 32767);
  EXPECT_EQ(pos.axis[kAxisR], 1234);
  EXPECT_EQ(pos.axis[kAxisZ], -4321);
  EXPECT_EQ(pos.axis[kAxisU], 0);
  EXPECT_EQ(pos.axis[kAxisV], 0);
  EXPECT_EQ(pos.buttons, 0u);
  EXPECT_EQ(pos.pov, kPovCentred);
}

TEST_F(SdlJoystickTest, GameControllerButtonsAreNumberedInTheirFixedOrder) {
  VirtualDevice pad(PadDesc());
  ASSERT_TRUE(pad.attached()) << SDL_GetError();
  ReleaseTriggers(pad);
  auto joystick = CreateSdlJoystick();
  struct Case {
    SDL_GameControllerButton sdl_button;
    int number;  // as the user sees it, from 1
  };
  constexpr Case kCases[] = {
      {SDL_CONTROLLER_BUTTON_A, 1},
      {SDL_CONTROLLER_BUTTON_B, 2},
      {SDL_CONTROLLER_BUTTON_X, 3},
      {SDL_CONTROLLER_BUTTON_Y, 4},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 5},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 6},
      {SDL_CONTROLLER_BUTTON_BACK, 7},
      {SDL_CONTROLLER_BUTTON_START, 8},
      {SDL_CONTROLLER_BUTTON_LEFTSTICK, 9},
      {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 10},
      {SDL_CONTROLLER_BUTTON_GUIDE, 13},
      {SDL_CONTROLLER_BUTTON_MISC1, 14},
      {SDL_CONTROLLER_BUTTON_PADDLE1, 15},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE("button " + std::to_string(c.number));
    pad.SetButton(c.sdl_button, true);
    const JoystickPosition pos = Read(*joystick);
    EXPECT_EQ(pos.buttons, 1u << (c.number - 1));
    EXPECT_EQ(pos.pov, kPovCentred);
    pad.SetButton(c.sdl_button, false);
    EXPECT_EQ(Read(*joystick).buttons, 0u);
  }
}

TEST_F(SdlJoystickTest, TriggersPressButtonsElevenAndTwelvePastHalfTravel) {
  VirtualDevice pad(PadDesc());
  ASSERT_TRUE(pad.attached()) << SDL_GetError();
  ReleaseTriggers(pad);
  auto joystick = CreateSdlJoystick();
  struct Case {
    Sint16 raw;  // virtual axis, -32768 at rest
    bool pressed;
  };
  // SDL reads raw -1000 as 15883 of 32767, raw 1000 as 16883.
  constexpr Case kCases[] = {
      {-32768, false}, {-1000, false}, {1000, true}, {32767, true}};
  for (int trigger :
       {SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT}) {
    const uint32_t bit =
        trigger == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 1u << 10 : 1u << 11;
    for (const Case& c : kCases) {
      SCOPED_TRACE("trigger " + std::to_string(trigger) + " at " +
                   std::to_string(c.raw));
      pad.SetAxis(trigger, c.raw);
      const JoystickPosition pos = Read(*joystick);
      EXPECT_EQ(pos.buttons, c.pressed ? bit : 0u);
      for (int32_t value : pos.axis) EXPECT_EQ(value, 0) << "stick moved";
    }
    pad.SetAxis(trigger, SDL_JOYSTICK_AXIS_MIN);
  }
}

TEST_F(SdlJoystickTest, DpadGivesTheHatAngleOfAllNineStates) {
  VirtualDevice pad(PadDesc());
  ASSERT_TRUE(pad.attached()) << SDL_GetError();
  ReleaseTriggers(pad);
  auto joystick = CreateSdlJoystick();
  for (const HatCase& c : kHatCases) {
    SCOPED_TRACE("hat " + std::to_string(c.sdl_hat));
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_UP, (c.sdl_hat & SDL_HAT_UP) != 0);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                  (c.sdl_hat & SDL_HAT_RIGHT) != 0);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                  (c.sdl_hat & SDL_HAT_DOWN) != 0);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                  (c.sdl_hat & SDL_HAT_LEFT) != 0);
    const JoystickPosition pos = Read(*joystick);
    EXPECT_EQ(pos.pov, c.angle);
    EXPECT_EQ(pos.buttons, 0u) << "the d-pad is not a button";
  }
}

TEST_F(SdlJoystickTest, PlainJoystickAxesButtonsAndHatInSdlOrder) {
  VirtualDevice stick(StickDesc());
  ASSERT_TRUE(stick.attached()) << SDL_GetError();
  auto joystick = CreateSdlJoystick();
  JoystickCaps caps;
  ASSERT_EQ(joystick->GetCaps(caps), kJoyNoError);
  EXPECT_EQ(caps.name, "Test Stick");
  EXPECT_EQ(caps.num_axes, 6);  // of 8: only X, Y, Z, R, U, V exist
  EXPECT_EQ(caps.num_buttons, 40);
  EXPECT_EQ(caps.caps & kJoyCapsHasPov, kJoyCapsHasPov);
  ExpectSdlRangesAndPeriod(caps);

  const Sint16 values[8] = {-32768, 32767, -300, 400, -500, 600, 7, 8};
  for (int i = 0; i < 8; ++i) stick.SetAxis(i, values[i]);
  for (int button : {0, 9, 31, 35}) stick.SetButton(button, true);
  stick.SetHat(1, SDL_HAT_UP);  // a second hat is not read
  JoystickPosition pos = Read(*joystick);
  EXPECT_EQ(pos.axis[kAxisX], -32768);
  EXPECT_EQ(pos.axis[kAxisY], 32767);
  EXPECT_EQ(pos.axis[kAxisZ], -300);
  EXPECT_EQ(pos.axis[kAxisR], 400);
  EXPECT_EQ(pos.axis[kAxisU], -500);
  EXPECT_EQ(pos.axis[kAxisV], 600);
  // Button 36 lies beyond the 32 the mask can carry.
  EXPECT_EQ(pos.buttons, (1u << 0) | (1u << 9) | (1u << 31));
  EXPECT_EQ(pos.pov, kPovCentred);
  for (const HatCase& c : kHatCases) {
    SCOPED_TRACE("hat " + std::to_string(c.sdl_hat));
    stick.SetHat(0, c.sdl_hat);
    EXPECT_EQ(Read(*joystick).pov, c.angle);
  }
}

TEST_F(SdlJoystickTest, NoControllerIsUnpluggedUntilOneIsConnected) {
  auto joystick = CreateSdlJoystick();
  JoystickCaps caps;
  caps.name = "untouched";
  EXPECT_EQ(joystick->GetCaps(caps), kJoyErrUnplugged);
  EXPECT_EQ(caps.name, "untouched");
  JoystickPosition pos;
  EXPECT_EQ(joystick->GetPosition(pos), kJoyErrUnplugged);
  VirtualDevice stick(StickDesc());
  ASSERT_TRUE(stick.attached()) << SDL_GetError();
  stick.SetButton(2, true);
  EXPECT_EQ(Read(*joystick).buttons, 1u << 2);
}

TEST_F(SdlJoystickTest, PulledOutIsUnpluggedAndPluggedInAgainIsReadAtOnce) {
  auto first = std::make_unique<VirtualDevice>(PadDesc());
  ASSERT_TRUE(first->attached()) << SDL_GetError();
  ReleaseTriggers(*first);
  auto joystick = CreateSdlJoystick();
  JoystickCaps caps;
  ASSERT_EQ(joystick->GetCaps(caps), kJoyNoError);
  first->SetButton(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_EQ(Read(*joystick).buttons, 1u << 1);

  first->Detach();
  JoystickPosition pos;
  EXPECT_EQ(joystick->GetPosition(pos), kJoyErrUnplugged);
  EXPECT_EQ(joystick->GetPosition(pos), kJoyErrUnplugged);

  VirtualDevice again(PadDesc());
  ASSERT_TRUE(again.attached()) << SDL_GetError();
  ReleaseTriggers(again);
  again.SetButton(SDL_CONTROLLER_BUTTON_Y, true);
  again.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, 2000);
  pos = Read(*joystick);
  EXPECT_EQ(pos.buttons, 1u << 3);
  EXPECT_EQ(pos.axis[kAxisR], 2000);

  again.Detach();
  EXPECT_EQ(joystick->GetPosition(pos), kJoyErrUnplugged);
  VirtualDevice other(StickDesc());  // another kind of controller
  ASSERT_TRUE(other.attached()) << SDL_GetError();
  other.SetAxis(2, 555);
  EXPECT_EQ(Read(*joystick).axis[kAxisZ], 555);
}

}  // namespace
}  // namespace rz
