// The CSV splitter on arbitrary bytes: the file split into lines, each line
// into fields in place. Every field must lie inside the file's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "import/csv_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::import;
  auto bytes = std::make_unique<char[]>(size + 1);
  if (size != 0) std::memcpy(bytes.get(), data, size);
  CsvFile file;
  SplitCsvLines(std::move(bytes), size, file);
  const char* begin = file.bytes.get();
  const char* end = begin + file.size;
  std::vector<std::string_view> fields;
  for (const std::string_view line : file.lines) {
    if (!SplitFields(line, fields)) continue;
    if (fields.size() > kMaxFields) std::abort();
    for (const std::string_view field : fields) {
      if (!field.empty() && (field.data() < begin || field.data() + field.size() > end)) std::abort();
    }
  }
  return 0;
}
