// Building and inspecting phonebook bytes in tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "phonebook/afd_format.h"
#include "testing/temp_root.h"
#include "win/text.h"

namespace tq::phonebook::test {

inline std::string Header() { return std::string(kMagic2000) + "\n"; }

// 0x01, each field and its 0x03, then 0x04.
inline std::string Individual(const std::vector<std::string>& fields) {
  std::string record(1, kIndividualStart);
  for (const std::string& field : fields) record.append(field).push_back(kFieldEnd);
  record.push_back(kRecordEnd);
  return record;
}

// An individual with all fields present and the given key.
inline std::string Person(const std::string& name, const std::string& fax, const std::string& company = "") {
  return Individual({name, fax, company, "", "", "", "0", "0", "", "0", "0", "", "", "", ""});
}

inline std::string Group(const std::string& name, const std::vector<std::pair<std::string, std::string>>& members) {
  std::string record(1, kGroupStart);
  record.append(name).push_back(kFieldEnd);
  for (const auto& [member, fax] : members) {
    record.append(member).push_back(kFieldEnd);
    record.append(fax).push_back(kFieldEnd);
  }
  record.push_back(kRecordEnd);
  return record;
}

inline std::u16string Wide(const std::filesystem::path& path) { return Utf8ToUtf16(path.string()); }

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  testing::WriteText(path, bytes);
}
inline std::string Read(const std::filesystem::path& path) { return testing::ReadText(path); }

}  // namespace tq::phonebook::test
