// The device's speed-dial list on arbitrary bytes: split, its rows read and
// every entry completed as it is handed back, and the bytes decoded as the
// device's ROT13-and-Base64 texts. Every text slot of a record must end
// with its terminator.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "record_checks.h"
#include "import/speed_dial_rows.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::import;
  using fuzz::CheckRecord;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)DecodeDeviceText(text);
  tq::EntryRecord single{};
  (void)ApplyMailbox(text, single);
  (void)ApplyRelay(text, single);
  ApplyFCode(text, single);
  CheckRecord(single);

  auto bytes = std::make_unique<char[]>(size + 1);
  if (size != 0) std::memcpy(bytes.get(), data, size);
  CsvFile file;
  SplitCsvLines(std::move(bytes), size, file);
  SpeedDialList list;
  if (ReadSpeedDialRows(file, list) != 0) return 0;
  for (const SpeedDialEntry& entry : list.entries) CheckRecord(CompleteRecord(entry));
  return 0;
}
