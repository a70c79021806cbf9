// Input sinks that inject nothing: one keeps every record in order, the
// other only counts them and keeps the last (it never allocates, for
// measurements of the poll cycle).
#ifndef RIRUZIRUZO_PLATFORM_FAKE_RECORDING_SINK_H_
#define RIRUZIRUZO_PLATFORM_FAKE_RECORDING_SINK_H_

#include <cstdint>
#include <vector>

#include "platform/input_sink.h"

namespace rz {

class RecordingSink final : public InputSink {
 public:
  void Send(const InputRecord& record) override;

  const std::vector<InputRecord>& records() const { return records_; }
  void Clear() { records_.clear(); }

 private:
  std::vector<InputRecord> records_;
};

class CountingSink final : public InputSink {
 public:
  void Send(const InputRecord& record) override;

  int64_t count() const { return count_; }
  const InputRecord& last() const { return last_; }

 private:
  int64_t count_ = 0;
  InputRecord last_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_PLATFORM_FAKE_RECORDING_SINK_H_
