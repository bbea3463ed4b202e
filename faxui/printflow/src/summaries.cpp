#include "printflow/summaries.h"

#include <cstdio>
#include <cstring>

#include "faxui/text_routines.h"
#include "texts.h"

namespace tq::faxui {

namespace {

constexpr int kNumberCutLength = 27;

// The bytes of a record's text slot, which need not hold a terminator.
std::size_t SlotLength(const char* slot, std::size_t size) { return strnlen(slot, size - 1); }

}  // namespace

void RecipientSummary(const RecipientListBlock& list, char* text) {
  text[0] = '\0';
  if (list.count <= 0) return;
  const bool several = list.count > 1;
  const EntryRecord& first = list.records[0];

  char name[kNameSize] = {};
  std::memcpy(name, first.name, SlotLength(first.name, sizeof first.name));
  const char* shown = name[0] != '\0' ? name : several ? texts::kFirstNameUnknown : texts::kNameUnknown;

  char suffix[kSummaryLength + 1] = {};
  if (several) std::snprintf(suffix, sizeof suffix, texts::kAndOthersFormat, list.count - 1);
  const int suffixLength = StringLength(suffix);
  int nameLength = StringLength(shown);
  if (nameLength + suffixLength > kSummaryLength) nameLength = kSummaryLength - suffixLength;
  std::memcpy(text, shown, static_cast<std::size_t>(nameLength));
  std::memcpy(text + nameLength, suffix, static_cast<std::size_t>(suffixLength) + 1);
}

void NumberSummary(const RecipientListBlock& list, char* text) {
  text[0] = '\0';
  if (list.count <= 0) return;
  const EntryRecord& first = list.records[0];
  char number[kFaxNumberSize] = {};
  std::memcpy(number, first.faxNumber, SlotLength(first.faxNumber, sizeof first.faxNumber));
  LettersToDigits(text, number);
  if (list.count > 1) {
    if (StringLength(text) > kNumberCutLength) text[kNumberCutLength] = '\0';
    std::strcat(text, " ...");
  }
}

}  // namespace tq::faxui
