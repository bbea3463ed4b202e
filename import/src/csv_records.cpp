#include "csv_records.h"

#include <cctype>

#include "common/ansi_slots.h"
#include "import/text_rules.h"

namespace tq::import {

CsvColumns FindColumns(const std::vector<std::string_view>& upperHeader) {
  CsvColumns columns;
  for (std::size_t i = 0; i < upperHeader.size(); ++i) {
    // The header a name column carries, compared, never shown: not-a-text.
    if (columns.name < 0 && upperHeader[i] == "NOM") columns.name = static_cast<int>(i);
    if (upperHeader[i].find("FAX") != std::string_view::npos) columns.fax.push_back(i);
  }
  return columns;
}

void UpperCaseInPlace(std::string_view line) {
  char* text = const_cast<char*>(line.data());
  for (std::size_t i = 0; i < line.size(); ++i) {
    text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  }
}

int BuildCsvRecords(const CsvFile& file, const CsvColumns& columns, CsvRecords& out) {
  out.records.clear();
  out.rejected = 0;
  if (file.header >= file.lines.size()) return 0;
  out.records.reserve((file.lines.size() - file.header) * columns.fax.size());
  std::vector<std::string_view> fields;
  for (std::size_t line = file.header + 1; line < file.lines.size(); ++line) {
    if (!SplitFields(file.lines[line], fields)) return kUnclosedQuote;
    if (fields.empty()) continue;
    bool anyNumber = false;
    for (std::size_t column : columns.fax) {
      if (column >= fields.size()) continue;
      CsvRecord record{};
      if (columns.name >= 0 && static_cast<std::size_t>(columns.name) < fields.size()) {
        CopyToAnsiSlot(record.name, ReplaceNameBrackets(TrimBlanks(fields[static_cast<std::size_t>(columns.name)])));
      }
      const std::string number = NormalizeFaxNumber(fields[column]);
      CopyToAnsiSlot(record.faxNumber, number);
      anyNumber = anyNumber || !number.empty();
      out.records.push_back(record);
    }
    if (!anyNumber) ++out.rejected;
  }
  return 0;
}

}  // namespace tq::import
