// Controller 0 read through SDL2's joystick and game-controller layers.
#ifndef RIRUZIRUZO_PLATFORM_SDL_SDL_JOYSTICK_H_
#define RIRUZIRUZO_PLATFORM_SDL_SDL_JOYSTICK_H_

#include <memory>

#include "platform/joystick.h"

namespace rz {

// Starts SDL's joystick subsystem (no video, no signal handlers) and returns
// the first controller SDL lists. Never null: when the subsystem cannot start
// every query answers kJoyErrNoDriver, and while no controller is connected
// kJoyErrUnplugged. A controller plugged in later is opened by the next query.
std::unique_ptr<Joystick> CreateSdlJoystick();

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_SDL_SDL_JOYSTICK_H_
