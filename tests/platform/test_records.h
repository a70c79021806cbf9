// Input records as the tests of the sinks and key tables write them.
#ifndef RIRUZIRUZO_TESTS_PLATFORM_TEST_RECORDS_H_
#define RIRUZIRUZO_TESTS_PLATFORM_TEST_RECORDS_H_

#include <cstdint>

#include "platform/input_sink.h"

namespace rz {

inline InputRecord MouseRecord(uint32_t flags, int32_t dx = 0, int32_t dy = 0,
                               int32_t data = 0) {
  InputRecord record;
  record.mouse_flags = flags;
  record.dx = dx;
  record.dy = dy;
  record.mouse_data = data;
  return record;
}

inline InputRecord KeyRecord(uint16_t vk, uint16_t scan, uint32_t flags) {
  InputRecord record;
  record.type = InputRecord::Type::kKeyboard;
  record.vk = vk;
  record.scan = scan;
  record.key_flags = flags;
  return record;
}

}  // namespace rz

#endif  // RIRUZIRUZO_TESTS_PLATFORM_TEST_RECORDS_H_
