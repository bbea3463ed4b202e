// The picked entries into candidates: people read for their name and three
// fax numbers, distribution lists expanded once each.
#include <cstring>
#include <set>
#include <utility>

#include "addressbook/address_book_import.h"
#include "import/text_rules.h"

namespace tq::import {
namespace {

struct VisitedList {
  ULONG size;
  LPBYTE bytes;  // a copy made with the book's allocator
};

class Extraction {
 public:
  Extraction(IAddrBook& book, const BookAllocator& allocator, CandidateList& candidates, ImportCounters& counters)
      : book_(book), allocator_(allocator), candidates_(candidates), counters_(counters) {}

  ~Extraction() {
    for (const VisitedList& visited : visited_) allocator_.free(visited.bytes);
  }

  // `inList`: a row of a list being expanded, whose lists are compared
  // with the visited ones; a picked list is expanded as picked.
  void Entry(const SPropValue* values, ULONG count, bool inList) {
    const SBinary* id = nullptr;
    ULONG type = 0;
    for (ULONG i = 0; i < count; ++i) {
      if (values[i].ulPropTag == PR_ENTRYID) id = &values[i].Value.bin;
      if (values[i].ulPropTag == PR_OBJECT_TYPE) type = static_cast<ULONG>(values[i].Value.l);
    }
    if (type == MAPI_DISTLIST && id != nullptr && visited_.size() < kMaxVisitedLists) {
      if (inList && IsVisited(*id)) return;  // reached again through another list
      if (!Visit(*id)) return;
      ExpandList(*id);
      return;
    }
    ++counters_.total;
    if (type == MAPI_MAILUSER && id != nullptr) {
      ReadPerson(*id);
    } else {
      ++counters_.rejected;
    }
  }

 private:
  bool IsVisited(const SBinary& id) {
    for (const VisitedList& visited : visited_) {
      ULONG same = 0;
      if (book_.CompareEntryIDs(visited.size, reinterpret_cast<LPENTRYID>(visited.bytes), id.cb,
                                reinterpret_cast<LPENTRYID>(id.lpb), 0, &same) == S_OK &&
          same != 0) {
        return true;
      }
    }
    return false;
  }

  bool Visit(const SBinary& id) {
    LPVOID copy = nullptr;
    if (allocator_.allocate(id.cb == 0 ? 1 : id.cb, &copy) != S_OK) return false;
    if (id.cb != 0) std::memcpy(copy, id.lpb, id.cb);
    visited_.push_back({id.cb, static_cast<LPBYTE>(copy)});
    return true;
  }

  void ExpandList(const SBinary& id) {
    ULONG type = 0;
    IUnknown* object = nullptr;
    if (FAILED(book_.OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), nullptr, 0, &type, &object)) ||
        object == nullptr) {
      return;
    }
    if (type != MAPI_DISTLIST) {
      object->Release();
      return;
    }
    auto* list = static_cast<IDistList*>(static_cast<IMAPIProp*>(object));
    IMAPITable* table = nullptr;
    if (FAILED(list->GetContentsTable(0, &table)) || table == nullptr) {
      list->Release();
      return;
    }
    SizedSPropTagArray<3> columns{3, {PR_DISPLAY_NAME_A, PR_ENTRYID, PR_OBJECT_TYPE}};
    if (!FAILED(table->SetColumns(columns.get(), 0)) && !FAILED(table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr))) {
      for (;;) {
        LPSRowSet rows = nullptr;
        if (FAILED(table->QueryRows(1, 0, &rows)) || rows == nullptr) break;
        const bool none = rows->cRows == 0;
        for (ULONG r = 0; r < rows->cRows; ++r) Entry(rows->aRow[r].lpProps, rows->aRow[r].cValues, true);
        FreeRows(rows);
        if (none) break;
      }
    }
    table->Release();
    list->Release();
  }

  void FreeRows(LPSRowSet rows) {
    for (ULONG r = 0; r < rows->cRows; ++r) allocator_.free(rows->aRow[r].lpProps);
    allocator_.free(rows);
  }

  // A person who cannot be opened or read is examined and rejected.
  void ReadPerson(const SBinary& id) {
    ULONG type = 0;
    IUnknown* object = nullptr;
    if (FAILED(book_.OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), nullptr, 0, &type, &object)) ||
        object == nullptr) {
      ++counters_.rejected;
      return;
    }
    auto* person = static_cast<IMAPIProp*>(object);
    SizedSPropTagArray<4> tags{4, {PR_DISPLAY_NAME_A, PR_PRIMARY_FAX_NUMBER_A, PR_BUSINESS_FAX_NUMBER_A,
                                   PR_HOME_FAX_NUMBER_A}};
    ULONG count = 0;
    LPSPropValue values = nullptr;
    HRESULT result = person->GetProps(tags.get(), 0, &count, &values);
    person->Release();
    if (FAILED(result) || values == nullptr) {
      ++counters_.rejected;
      return;
    }
    std::string name;
    std::vector<std::string> faxes;
    for (ULONG i = 0; i < count; ++i) {
      if (PROP_TYPE(values[i].ulPropTag) != PT_STRING8 || values[i].Value.lpszA == nullptr) continue;
      std::string text = CutText(values[i].Value.lpszA);
      if (values[i].ulPropTag == PR_DISPLAY_NAME_A) {
        name = text;
      } else {
        faxes.push_back(text);  // in the order asked: primary, business, home
      }
    }
    allocator_.free(values);
    bool offered = false;
    for (const std::string& fax : faxes) offered |= Offer(name, fax);
    if (!offered) ++counters_.rejected;
  }

  // True when the number was added or counted.
  bool Offer(const std::string& name, const std::string& fax) {
    AnsiRecordKey candidate{ReplaceNameBrackets(TrimBlanks(name)), NormalizeFaxNumber(fax)};
    if (candidate.faxNumber.empty()) return false;
    if (offered_.contains({candidate.name, candidate.faxNumber})) return false;
    if (candidates_.limit > 0 && static_cast<std::int32_t>(candidates_.entries.size()) >= candidates_.limit) {
      ++counters_.valid;  // counted, though the list keeps no more
      return true;
    }
    offered_.emplace(candidate.name, candidate.faxNumber);
    candidates_.entries.push_back(std::move(candidate));
    counters_.valid = static_cast<std::int32_t>(candidates_.entries.size());
    return true;
  }

  IAddrBook& book_;
  const BookAllocator& allocator_;
  CandidateList& candidates_;
  ImportCounters& counters_;
  std::vector<VisitedList> visited_;
  // The names and numbers offered, to keep each once.
  std::set<std::pair<std::string, std::string>> offered_;
};

}  // namespace

void ExtractPicked(IAddrBook& book, const BookAllocator& allocator, const ADRLIST& list,
                   CandidateList& candidates, ImportCounters& counters) {
  Extraction extraction(book, allocator, candidates, counters);
  for (ULONG i = 0; i < list.cEntries; ++i) {
    extraction.Entry(list.aEntries[i].rgPropVals, list.aEntries[i].cValues, false);
  }
}

}  // namespace tq::import
