// A host stand-in for one job in a test: a device object listing the fax
// add-on, an output object whose write routine appends to a string, and a
// host settings block holding the fax add-on's two blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/addon_table.h"
#include "common/entry_record.h"
#include "common/fax_job_settings.h"

namespace tq::render::testing {

class TestJob {
 public:
  TestJob();
  TestJob(const TestJob&) = delete;
  TestJob& operator=(const TestJob&) = delete;

  DeviceObject* device() { return &device_; }
  OutputObject* output() { return &output_; }
  void* settings() { return settings_.data(); }
  FaxOptionsBlock* options();
  FaxSendBlock* send();

  void SetField(std::size_t offset, std::int32_t value);
  void SetPrivateField(std::size_t offset, std::int32_t value);
  void SetAccountUser(const std::string& text);
  void SetOutputDocName(const std::string& name);
  // Appends a recipient to the send block.
  void AddRecipient(const EntryRecord& record);

  // Called with each piece before it is appended.
  void OnWrite(std::function<void(std::string_view)> hook) { onWrite_ = std::move(hook); }

  // Everything written so far.
  const std::string& written() const { return written_; }
  int writeCalls() const { return writeCalls_; }

 private:
  static std::int32_t Append(OutputObject* output, std::int32_t kind, const void* bytes,
                             std::uint32_t count);

  AddOnTable table_{};
  DeviceObject device_{};
  OutputObject output_{};
  std::vector<std::uint32_t> settings_;  // 32-bit cells keep the blocks aligned
  std::function<void(std::string_view)> onWrite_;
  std::string written_;
  int writeCalls_ = 0;
};

// Puts text into a fixed slot, cut to leave room for its terminator.
template <std::size_t N>
void Put(char (&slot)[N], const std::string& text) {
  std::memset(slot, 0, N);
  std::memcpy(slot, text.data(), std::min(text.size(), N - 1));
}

// A recipient record with the given number and defaults elsewhere.
EntryRecord Recipient(const std::string& number);

// The time text source of the tests: always 9:05:07.
int FixedTimeString(char* destination, std::size_t size);
inline constexpr char kFixedTime[] = "Time 9:05:07";

}  // namespace tq::render::testing
