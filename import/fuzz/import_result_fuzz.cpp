// The Import application's result file on arbitrary bytes, taken back as
// the plug-in's dialogs take it in both record kinds: never read past its
// end, every text slot ending with its terminator, the file deleted.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "import_result/result_file.h"
#include "record_checks.h"
#include "testing/fuzz_input.h"
#include "win/text.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::import;
  for (const ResultRecords form : {ResultRecords::NamesAndNumbers, ResultRecords::EntryRecords}) {
    const std::string file = tq::testing::WriteFuzzInput("import-result", "DB120000.TMP", data, size);
    const TakenResult taken = TakeResultFile(tq::Utf8ToUtf16(file), form);
    if (access(file.c_str(), F_OK) == 0) std::abort();  // the reader deletes it, whatever it held
    const std::size_t recordSize = form == ResultRecords::EntryRecords ? sizeof(tq::EntryRecord) : 62;
    if (size >= 4 && taken.records.size() > (size - 4) / recordSize) std::abort();
    for (const tq::EntryRecord& record : taken.records) {
      fuzz::CheckRecord(record);
      if (record.speedDialFlag != 0) std::abort();
    }
  }
  return 0;
}
