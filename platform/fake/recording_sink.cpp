#include "platform/fake/recording_sink.h"

namespace rz {

void RecordingSink::Send(const InputRecord& record) {
  records_.push_back(record);
}

void CountingSink::Send(const InputRecord& record) {
  ++count_;
  last_ = record;
}

}  // namespace rz
