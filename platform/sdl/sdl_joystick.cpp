#include "platform/sdl/sdl_joystick.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace rz {
namespace {

constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
constexpr int kPeriodMs = 10;
constexpr AxisRange kAxisRange = {SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX};

// A game controller reports its two sticks; the triggers are buttons.
constexpr int kControllerAxes = 4;
// Trigger axes run 0..32767: pressed past half of that travel.
constexpr Sint16 kTriggerPressed = SDL_JOYSTICK_AXIS_MAX / 2 + 1;

// Game-controller buttons 1 to 10; 11 and 12 are the triggers, 13 the guide
// button, then whichever of kExtraButtons the controller has.
constexpr SDL_GameControllerButton kMainButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
};
constexpr int kFixedControllerButtons = std::size(kMainButtons) + 3;
constexpr SDL_GameControllerButton kExtraButtons[] = {
    SDL_CONTROLLER_BUTTON_MISC1,   SDL_CONTROLLER_BUTTON_PADDLE1,
    SDL_CONTROLLER_BUTTON_PADDLE2, SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4, SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

// Hat angle in hundredths of a degree clockwise from forward. Opposite
// directions pressed together cancel out.
uint32_t HatAngle(bool up, bool right, bool down, bool left) {
  constexpr uint32_t kAngles[3][3] = {
      {22500, 18000, 13500},       // down: with left, alone, with right
      {27000, kPovCentred, 9000},  // neither up nor down
      {31500, 0, 4500},            // up
  };
  const int vertical = static_cast<int>(up) - static_cast<int>(down);
  const int horizontal = static_cast<int>(right) - static_cast<int>(left);
  return kAngles[vertical + 1][horizontal + 1];
}

// Collects button states into the position's bit mask, button 1 first.
class ButtonMask {
 public:
  void Add(bool pressed) {
    if (pressed && next_ < 32) mask_ |= 1u << next_;
    ++next_;
  }
  uint32_t mask() const { return mask_; }

 private:
  uint32_t mask_ = 0;
  int next_ = 0;
};

class SdlJoystick final : public Joystick {
 public:
  SdlJoystick() {
    // The program handles SIGTERM and SIGINT itself.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1",
                            SDL_HINT_OVERRIDE);
    // The controller drives other applications: it must be read while they
    // have the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(kSubsystems) == 0;
    if (started_) {
      // State is read by query; queued events would only pile up unread.
      SDL_JoystickEventState(SDL_IGNORE);
      SDL_GameControllerEventState(SDL_IGNORE);
    }
  }

  ~SdlJoystick() override {
    Close();
    if (started_) SDL_QuitSubSystem(kSubsystems);
  }

  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;

  int GetCaps(JoystickCaps& caps) override {
    const int result = Refresh();
    if (result != kJoyNoError) return result;
    JoystickCaps found;
    found.period_min = kPeriodMs;
    found.range.fill(kAxisRange);
    const char* name = nullptr;
    if (controller_ != nullptr) {
      name = SDL_GameControllerName(controller_);
      found.num_axes = kControllerAxes;
      found.num_buttons = kFixedControllerButtons + extra_count_;
      if (SDL_GameControllerHasButton(controller_,
                                      SDL_CONTROLLER_BUTTON_DPAD_UP)) {
        found.caps = kJoyCapsHasPov;
      }
    } else {
      name = SDL_JoystickName(joystick_);
      found.num_axes = std::clamp(SDL_JoystickNumAxes(joystick_), 0,
                                  static_cast<int>(kAxisCount));
      found.num_buttons = std::max(SDL_JoystickNumButtons(joystick_), 0);
      if (SDL_JoystickNumHats(joystick_) > 0) found.caps = kJoyCapsHasPov;
    }
    found.name = name != nullptr ? name : "";
    caps = std::move(found);
    return kJoyNoError;
  }

  int GetPosition(JoystickPosition& pos) override {
    const int result = Refresh();
    if (result != kJoyNoError) return result;
    pos = JoystickPosition{};
    if (controller_ != nullptr) {
      ReadController(pos);
    } else {
      ReadJoystick(pos);
    }
    return kJoyNoError;
  }

 private:
  // Brings SDL's view of the devices and their state up to date, and
  // follows a controller being pulled out or plugged in.
  int Refresh() {
    if (!started_) return kJoyErrNoDriver;
    SDL_JoystickUpdate();
    if (joystick_ != nullptr && !SDL_JoystickGetAttached(joystick_)) Close();
    if (joystick_ == nullptr) {
      if (!Open()) return kJoyErrUnplugged;
      SDL_JoystickUpdate();  // the new device's current state
    }
    return kJoyNoError;
  }

  bool Open() {
    if (SDL_NumJoysticks() < 1) return false;
    if (SDL_IsGameController(0)) controller_ = SDL_GameControllerOpen(0);
    joystick_ = controller_ != nullptr
                    ? SDL_GameControllerGetJoystick(controller_)
                    : SDL_JoystickOpen(0);
    if (joystick_ == nullptr) {
      Close();
      return false;
    }
    extra_count_ = 0;
    if (controller_ != nullptr) {
      for (SDL_GameControllerButton button : kExtraButtons) {
        if (SDL_GameControllerHasButton(controller_, button)) {
          extra_buttons_[extra_count_++] = button;
        }
      }
    }
    return true;
  }

  void Close() {
    if (controller_ != nullptr) {
      SDL_GameControllerClose(controller_);  // closes its joystick too
    } else if (joystick_ != nullptr) {
      SDL_JoystickClose(joystick_);
    }
    controller_ = nullptr;
    joystick_ = nullptr;
  }

  void ReadController(JoystickPosition& pos) const {
    auto axis = [this](SDL_GameControllerAxis a) {
      return SDL_GameControllerGetAxis(controller_, a);
    };
    auto pressed = [this](SDL_GameControllerButton b) {
      return SDL_GameControllerGetButton(controller_, b) != 0;
    };
    pos.axis[kAxisX] = axis(SDL_CONTROLLER_AXIS_LEFTX);
    pos.axis[kAxisY] = axis(SDL_CONTROLLER_AXIS_LEFTY);
    pos.axis[kAxisR] = axis(SDL_CONTROLLER_AXIS_RIGHTX);
    pos.axis[kAxisZ] = axis(SDL_CONTROLLER_AXIS_RIGHTY);
    ButtonMask buttons;
    for (SDL_GameControllerButton button : kMainButtons) {
      buttons.Add(pressed(button));
    }
    buttons.Add(axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) >= kTriggerPressed);
    buttons.Add(axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kTriggerPressed);
    buttons.Add(pressed(SDL_CONTROLLER_BUTTON_GUIDE));
    for (int i = 0; i < extra_count_; ++i) {
      buttons.Add(pressed(extra_buttons_[i]));
    }
    pos.buttons = buttons.mask();
    pos.pov = HatAngle(pressed(SDL_CONTROLLER_BUTTON_DPAD_UP),
                       pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                       pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                       pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
  }

  // SDL's axes 0 to 5 are X, Y, Z, R, U, V.
  void ReadJoystick(JoystickPosition& pos) const {
    const int axes =
        std::min(SDL_JoystickNumAxes(joystick_), static_cast<int>(kAxisCount));
    for (int i = 0; i < axes; ++i) {
      pos.axis[i] = SDL_JoystickGetAxis(joystick_, i);
    }
    ButtonMask buttons;
    const int count = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int i = 0; i < count; ++i) {
      buttons.Add(SDL_JoystickGetButton(joystick_, i) != 0);
    }
    pos.buttons = buttons.mask();
    if (SDL_JoystickNumHats(joystick_) > 0) {
      const Uint8 hat = SDL_JoystickGetHat(joystick_, 0);
      pos.pov = HatAngle((hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_RIGHT) != 0,
                         (hat & SDL_HAT_DOWN) != 0, (hat & SDL_HAT_LEFT) != 0);
    }
  }

  bool started_ = false;
  SDL_Joystick* joystick_ = nullptr;
  SDL_GameController* controller_ = nullptr;  // when SDL recognises it
  std::array<SDL_GameControllerButton, std::size(kExtraButtons)>
      extra_buttons_{};
  int extra_count_ = 0;
};

}  // namespace

std::unique_ptr<Joystick> CreateSdlJoystick() {
  return std::make_unique<SdlJoystick>();
}

}  // namespace rz
