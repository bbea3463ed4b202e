// The CSV import without its dialogs: which columns hold the name and the
// fax numbers, and the records the rows give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "common/record_key_list.h"
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

// The entries the rows give: a key for each fax column of each row, its
// name and fax number cut as their record slots cut them.
struct CsvRecords {
  RecordKeyList keys;
  int rejected = 0;  // rows that gave no fax number
};

// One record per fax column a row has, kept even without a number;
// 0 or kUnclosedQuote.
int BuildCsvRecords(const CsvFile& file, const CsvColumns& columns, CsvRecords& out);

}  // namespace tq::import
