// One synthetic mouse or keyboard record, and the sink that delivers it to
// the foreground application.
//
// Ownership: the composition root owns the sink; the engine borrows it.
// Error convention: Send() reports nothing; a record the system refuses is
// lost, as the engine expects.
#ifndef RIRUZIRUZO_PLATFORM_INPUT_SINK_H_
#define RIRUZIRUZO_PLATFORM_INPUT_SINK_H_

#include <cstdint>

namespace rz {

// Mouse event flags.
inline constexpr uint32_t kMouseEventMove = 0x0001;
inline constexpr uint32_t kMouseEventLeftDown = 0x0002;
inline constexpr uint32_t kMouseEventLeftUp = 0x0004;
inline constexpr uint32_t kMouseEventRightDown = 0x0008;
inline constexpr uint32_t kMouseEventRightUp = 0x0010;
inline constexpr uint32_t kMouseEventMiddleDown = 0x0020;
inline constexpr uint32_t kMouseEventMiddleUp = 0x0040;
inline constexpr uint32_t kMouseEventWheel = 0x0800;
inline constexpr int32_t kWheelDelta = 120;

// Keyboard event flags.
inline constexpr uint32_t kKeyExtended = 0x0001;  // never sent by the engine
inline constexpr uint32_t kKeyUp = 0x0002;
inline constexpr uint32_t kKeyScanCode = 0x0008;

struct InputRecord {
  enum class Type : uint32_t { kMouse = 0, kKeyboard = 1 };
  Type type = Type::kMouse;
  // Mouse part.
  int32_t dx = 0;
  int32_t dy = 0;
  int32_t mouse_data = 0;
  uint32_t mouse_flags = 0;
  // Keyboard part.
  uint16_t vk = 0;
  uint16_t scan = 0;
  uint32_t key_flags = 0;

  friend bool operator==(const InputRecord&, const InputRecord&) = default;
};

class InputSink {
 public:
  virtual ~InputSink() = default;
  // Delivers one record at once. Called from the poll cycle: must not
  // allocate.
  virtual void Send(const InputRecord& record) = 0;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_INPUT_SINK_H_
