#include "import/csv_records.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "common/ansi_slots.h"
#include "import/text_rules.h"
#include "win/ansi_text.h"

namespace tq::import {
namespace {

// The export titles, by preference: compared with the file's header, never
// shown (not-a-text).
constexpr std::u16string_view kNameTitles[] = {u"Display Name", u"Full Name", u"Nom complet", u"Name"};
constexpr std::u16string_view kFirstNameTitles[] = {u"First Name", u"Prénom"};
constexpr std::u16string_view kLastNameTitles[] = {u"Last Name", u"Nom de famille"};
constexpr std::u16string_view kFaxTitles[] = {u"Business Fax",          u"Home Fax",  u"Fax Number",
                                              u"Télécopie bureau",      u"Télécopie personnelle",
                                              u"Fax professionnel"};

// Upper case in the ANSI code page's Latin letters, accented ones included.
unsigned char Folded(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<unsigned char>(c - 0x20);
  return c;
}

bool SameTitle(std::string_view field, std::string_view title) {
  const std::string_view trimmed = TrimBlanks(field);
  return std::equal(trimmed.begin(), trimmed.end(), title.begin(), title.end(), [](char a, char b) {
    return Folded(static_cast<unsigned char>(a)) == Folded(static_cast<unsigned char>(b));
  });
}

// The first column, by the preference of `titles`, that bears one of them.
template <std::size_t N>
int ColumnTitled(const std::vector<std::string_view>& header, const std::u16string_view (&titles)[N]) {
  for (std::u16string_view title : titles) {
    const std::string ansi = WideToAnsi(title);
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (SameTitle(header[i], ansi)) return static_cast<int>(i);
    }
  }
  return -1;
}

// The name a row gives: its name column, or its first and last names
// joined by a blank.
std::string RowName(const std::vector<std::string_view>& fields, const CsvColumns& columns) {
  auto field = [&](int column) {
    return column >= 0 && static_cast<std::size_t>(column) < fields.size()
               ? TrimBlanks(fields[static_cast<std::size_t>(column)])
               : std::string_view();
  };
  if (columns.name >= 0) return std::string(field(columns.name));
  std::string name(field(columns.firstName));
  const std::string_view last = field(columns.lastName);
  if (!name.empty() && !last.empty()) name += ' ';
  name += last;
  return name;
}

}  // namespace

CsvColumns FindColumns(const std::vector<std::string_view>& upperHeader) {
  CsvColumns columns;
  for (std::size_t i = 0; i < upperHeader.size(); ++i) {
    // The header a name column carries, compared, never shown: not-a-text.
    if (columns.name < 0 && upperHeader[i] == "NOM") columns.name = static_cast<int>(i);
    if (upperHeader[i].find("FAX") != std::string_view::npos) columns.fax.push_back(i);
  }
  if (columns.fax.empty()) {
    for (std::size_t i = 0; i < upperHeader.size(); ++i) {
      for (std::u16string_view title : kFaxTitles) {
        if (SameTitle(upperHeader[i], WideToAnsi(title))) {
          columns.fax.push_back(i);
          break;
        }
      }
    }
  }
  if (columns.name < 0) {
    columns.name = ColumnTitled(upperHeader, kNameTitles);
    if (columns.name < 0) {
      columns.firstName = ColumnTitled(upperHeader, kFirstNameTitles);
      columns.lastName = ColumnTitled(upperHeader, kLastNameTitles);
    }
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
  out = CsvRecords();
  if (file.header >= file.lines.size()) return 0;
  // The texts come from the file's bytes, each row's name once and a blank
  // at most added to it: the file's size and a byte a line bound them.
  out.keys.Reserve((file.lines.size() - file.header) * columns.fax.size(), file.size + file.lines.size());
  std::vector<std::string_view> fields;
  for (std::size_t line = file.header + 1; line < file.lines.size(); ++line) {
    if (!SplitFields(file.lines[line], fields, file.separator)) return kUnclosedQuote;
    if (fields.empty()) continue;
    bool anyNumber = false;
    bool named = false;
    const std::string name = ReplaceNameBrackets(RowName(fields, columns));
    for (std::size_t column : columns.fax) {
      if (column >= fields.size()) continue;
      if (!named) out.keys.AddName(AnsiSlotPart(name, kNameSize));
      named = true;
      const std::string normalized = NormalizeFaxNumber(fields[column]);
      const std::string_view number = AnsiSlotPart(normalized, kFaxNumberSize);
      out.keys.AddKey(number);
      anyNumber = anyNumber || !number.empty();
    }
    if (!anyNumber) ++out.rejected;
  }
  return 0;
}

}  // namespace tq::import
