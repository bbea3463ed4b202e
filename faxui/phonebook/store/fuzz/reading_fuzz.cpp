// The phonebook reading operations on arbitrary file contents: the bytes are
// written as a phonebook file, then checked, validated, listed, and each
// individual and group found is read back, as the dialogs would. Whatever
// the bytes, every operation returns a result and reads nothing outside
// its buffer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "phonebook/reading.h"
#include "testing/fuzz_input.h"
#include "win/text.h"

namespace {

constexpr std::size_t kMostReadsPerInput = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::phonebook;
  const std::string file = tq::testing::WriteFuzzInput("phonebook", "fuzz.AFD", data, size);
  const std::u16string path = tq::Utf8ToUtf16(file);
  (void)CheckVersion(path);
  (void)ValidatePhonebook(path);

  std::vector<std::u16string> individuals;
  std::vector<std::string> groups;
  (void)ForEachRecord(path, [&](RecordType type, std::string_view record) {
    if (type == RecordType::Group) {
      groups.emplace_back(GroupRecordName(record));
      (void)ParseGroup(record);
    } else {
      (void)ParseIndividual(record);
    }
    return groups.size() + individuals.size() < kMostReadsPerInput;
  });
  (void)ListRecords(path, [&](RecordType type, std::u16string_view line) {
    if (type == RecordType::Individual && individuals.size() < kMostReadsPerInput) individuals.emplace_back(line);
  });
  PhonebookEntry entry{};
  for (const std::u16string& line : individuals) (void)ReadEntry(path, line, entry);
  for (const std::string& name : groups) {
    (void)ReadGroupMembers(path, name, [](std::string_view, std::string_view) { return true; });
  }
  unlink(file.c_str());
  return 0;
}
