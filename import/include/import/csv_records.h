// The CSV import without its dialogs: which columns hold the name and the
// fax numbers, and the records the rows give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "import/csv_split.h"

namespace tq::import {

struct CsvColumns {
  int name = -1;                 // none
  std::vector<std::size_t> fax;  // in header order
  // Without a name column, the name joins these two (-1 for none).
  int firstName = -1;
  int lastName = -1;
};

// Automatic search over the upper-cased header: the first column titled
// "NOM" holds the name, every column whose title holds "FAX" a number.
// When these find no name or no number, the titles that address book and
// spreadsheet programs export in French and English are looked for: a
// name column ("Display Name", "Full Name", "Nom complet", "Name"), else a
// first name and a last name joined; fax columns such as "Business Fax"
// or "Télécopie bureau".
CsvColumns FindColumns(const std::vector<std::string_view>& upperHeader);

// Upper-cases the line in place (the header, before automatic search).
void UpperCaseInPlace(std::string_view line);

// The entries the rows give: names and fax numbers in ANSI, each cut as its
// record slot cuts it, back to back in one buffer, a row's name kept once
// for all the entries of its fax columns.
class CsvRecords {
 public:
  std::size_t Count() const { return entries_.size(); }
  std::string_view Name(std::size_t entry) const;
  std::string_view FaxNumber(std::size_t entry) const;
  // A row's name, then an entry of that row for each of its numbers. Both
  // throw std::bad_alloc when memory runs out, or the buffer would pass
  // 4 GiB.
  void AddName(std::string_view name);
  void AddEntry(std::string_view faxNumber);
  void Clear();
  void Reserve(std::size_t entries);
  // Gives back the room the buffers grew by.
  void ShrinkToFit();

  int rejected = 0;  // rows that gave no fax number

 private:
  struct Entry {
    std::uint32_t name;  // where the texts start in `text_`
    std::uint32_t faxNumber;
    std::uint8_t nameLength;
    std::uint8_t faxNumberLength;
  };
  std::string text_;
  std::vector<Entry> entries_;
  std::uint32_t name_ = 0;  // the name added last
  std::uint8_t nameLength_ = 0;
  std::uint32_t Append(std::string_view text, std::size_t slotSize);
};

// One record per fax column a row has, kept even without a number;
// 0 or kUnclosedQuote.
int BuildCsvRecords(const CsvFile& file, const CsvColumns& columns, CsvRecords& out);

}  // namespace tq::import
