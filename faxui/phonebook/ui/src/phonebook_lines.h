// What the phonebook dialogs do alike with their lists of display lines:
// the type-ahead search, finding and selecting a line, the name-and-number head of a question,
// and the messages for a store result.
#pragma once

#include <string>
#include <string_view>

#include "common/store_result.h"
#include "texts.h"
#include "win/types.h"

namespace tq::faxui {

// The type-ahead search: the text of edit 606 (at most 34 characters) as a
// line prefix, ignoring case, from the first selected line of `listId` (the
// top when none is); a hit becomes the only selected line, scrolled to the
// top.
void SearchInList(HWND dialog, int listId);

// The index of the line equal to `line` ignoring case, or -1.
int FindExactLine(HWND list, std::u16string_view line);
// Clears the selection and selects line `index`.
void SelectOnlyLine(HWND list, int index);
// Adds a line with its item data; the index it got, or -1.
int AddLineWithData(HWND list, std::u16string_view line, LPARAM data);

// True when the two texts are equal, ignoring the case of ASCII and
// Latin-1 letters, as the list boxes compare lines.
bool SameTextNoCase(std::u16string_view a, std::u16string_view b);

// "Nom : name\nN° de fax : fax", the head of the questions about one entry.
std::u16string NameAndNumber(std::u16string_view name, std::u16string_view faxNumber);

// A store failure told as the dialogs tell it, with an error icon:
// BadFormat the file error message kind 5 and CannotOpen kind 1 (both on
// the phonebook's path), NoMemory and WriteFailed their operation's texts.
struct StoreFailureTexts {
  std::u16string_view caption;
  std::u16string_view noMemory;
  std::u16string_view writeFailed;
};
void ReportStoreFailure(HWND owner, std::u16string_view path, StoreResult result, const StoreFailureTexts& texts);

inline constexpr std::u16string_view kNoSingleSelection = phonebook::texts::kNoSingleSelection;
inline constexpr std::u16string_view kPropertiesCaption = phonebook::texts::kPropertiesCaption;

}  // namespace tq::faxui
