#include "job_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "common/host_settings.h"
#include "faxrender/time_text.h"

namespace tq::render::testing {
namespace {

constexpr std::size_t kPrivateArea = 2000;
constexpr std::size_t kJobState = 2900;
constexpr std::size_t kBlock1 = 3072;
constexpr std::size_t kBlock3 = kBlock1 + sizeof(FaxOptionsBlock);
constexpr std::size_t kSettingsSize = kBlock3 + sizeof(FaxSendBlock);
static_assert(kBlock3 % 4 == 0);

}  // namespace

TestJob::TestJob() : settings_((kSettingsSize + 3) / 4, 0) {
  table_ = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  device_.addOnCount = 1;
  device_.addOns[0].table = &table_;
  device_.addOns[0].block1Offset = static_cast<std::int32_t>(kBlock1);
  device_.addOns[0].block3Offset = static_cast<std::int32_t>(kBlock3);

  output_.write = &TestJob::Append;
  output_.host = this;

  SetField(hsb::kPrivateAreaOffset, static_cast<std::int32_t>(kPrivateArea));
  SetField(hsb::kJobStateOffset, static_cast<std::int32_t>(kJobState));
  SetField(hsb::kCopies, 1);
  *options() = DefaultFaxDS;
  *send() = DefaultFaxSS;
}

FaxOptionsBlock* TestJob::options() {
  return reinterpret_cast<FaxOptionsBlock*>(reinterpret_cast<unsigned char*>(settings()) + kBlock1);
}

FaxSendBlock* TestJob::send() {
  return reinterpret_cast<FaxSendBlock*>(reinterpret_cast<unsigned char*>(settings()) + kBlock3);
}

void TestJob::SetField(std::size_t offset, std::int32_t value) {
  hsb::SetField(settings(), offset, value);
}

void TestJob::SetPrivateField(std::size_t offset, std::int32_t value) {
  WriteInt32(hsb::PrivateArea(settings()), offset, value);
}

void TestJob::SetAccountUser(const std::string& text) {
  char* slot = reinterpret_cast<char*>(hsb::PrivateArea(settings()) + hsb::priv::kAccountUser);
  std::memset(slot, 0, hsb::priv::kAccountUserSize);
  std::memcpy(slot, text.data(), std::min(text.size(), hsb::priv::kAccountUserSize));
}

void TestJob::SetOutputDocName(const std::string& name) {
  std::memset(output_.docName, 0, sizeof output_.docName);
  std::memcpy(output_.docName, name.data(), std::min(name.size(), sizeof output_.docName - 1));
}

void TestJob::AddRecipient(const EntryRecord& record) {
  RecipientListBlock& list = send()->recipients;
  list.records[list.count++] = record;
}

std::int32_t TestJob::Append(OutputObject* output, std::int32_t kind, const void* bytes,
                             std::uint32_t count) {
  auto* job = static_cast<TestJob*>(output->host);
  EXPECT_EQ(kind, 1);
  EXPECT_GT(count, 0u);
  if (job->onWrite_) job->onWrite_(std::string_view(static_cast<const char*>(bytes), count));
  job->written_.append(static_cast<const char*>(bytes), count);
  ++job->writeCalls_;
  return static_cast<std::int32_t>(count);
}

EntryRecord Recipient(const std::string& number) {
  EntryRecord record = DefaultEntryRecord;
  std::memcpy(record.faxNumber, number.data(), std::min(number.size(), sizeof record.faxNumber - 1));
  return record;
}

int FixedTimeString(char* destination, std::size_t size) {
  return FormatTimeString(destination, size, 9, 5, 7);
}

}  // namespace tq::render::testing
