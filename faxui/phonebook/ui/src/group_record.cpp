#include "common/record_key.h"
#include "phonebook/afd_format.h"
#include "phonebook/group_editor.h"
#include "phonebook/records.h"
#include "win/ansi_text.h"

namespace tq::faxui {

std::vector<char> BuildGroupRecord(std::u16string_view groupName, const std::vector<std::u16string>& memberLines) {
  // 62 bytes a member and 33 for the name are the most it can take.
  std::vector<char> record;
  record.reserve(33 + 62 * memberLines.size());
  auto append = [&record](std::string_view text) {
    record.insert(record.end(), text.begin(), text.end());
    record.push_back(phonebook::kFieldEnd);
  };
  record.push_back(phonebook::kGroupStart);
  append(WideToAnsi(groupName, phonebook::kKeyTextLength));
  for (const std::u16string& line : memberLines) {
    const AnsiRecordKey key = AnsiKeyOfLine(line, RecordType::Individual);
    append(key.name);
    append(key.faxNumber);
  }
  record.push_back(phonebook::kRecordEnd);
  return record;
}

}  // namespace tq::faxui
