// Conversion of the two older phonebook versions on arbitrary file contents:
// the bytes are written as an older phonebook and converted as `qlafd
// convert` does. A conversion that reports Ok must leave a phonebook of the
// current version that reads back whole, and the older file as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "phonebook/conversion.h"
#include "phonebook/reading.h"
#include "testing/fuzz_input.h"
#include "win/text.h"

namespace {

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::phonebook;
  using tq::StoreResult;
  const std::string oldFile = tq::testing::WriteFuzzInput("phonebook-convert", "old.afd", data, size);
  const std::string newFile = tq::testing::FuzzFolder("phonebook-convert") + "/new.AFD";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string oldPath = tq::Utf8ToUtf16(oldFile);
  const std::u16string newPath = tq::Utf8ToUtf16(newFile);
  const StoreResult version = CheckVersion(oldPath);
  if (version == StoreResult::Version0000 || version == StoreResult::Version1000) {
    FoldedLineSet written;
    if (ConvertOldPhonebook(oldPath, newPath, version, written) == StoreResult::Ok) {
      if (CheckVersion(newPath) != StoreResult::Ok) std::abort();
      if (!ValidatePhonebook(newPath).ok()) std::abort();
      (void)ListRecords(newPath, [](RecordType, std::u16string_view) {});
    }
    if (Contents(oldFile) != bytes) std::abort();
  }
  unlink(oldFile.c_str());
  unlink(newFile.c_str());
  return 0;
}
