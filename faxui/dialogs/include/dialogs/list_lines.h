// The lines of the plug-in's list boxes: reading, adding, the selection of
// an extended-selection list and removing the selected lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/types.h"

namespace tq::faxui {

// The text of line `index` of a list box; empty for an index out of range.
std::u16string ListLine(HWND list, int index);

// Adds `line` to list `listId` (sorted or at the end, as the list does);
// the index it got, or LB_ERR.
LRESULT AddListLine(HWND dialog, int listId, const std::u16string& line);

// Selected lines of a list box, ascending; at most `bound`.
std::vector<int> SelectedLines(HWND dialog, int listId, int bound);

// Deletes the selected lines of `listId` (at most `bound` of them) from the
// highest down, calling `removed` after each deletion with its line, so
// that what the caller keeps per line follows. Afterwards the line at the
// lowest deleted index is selected, or the last line when that index is
// past the end. Returns the number of lines deleted.
int RemoveSelectedLines(HWND dialog, int listId, int bound, const std::function<void(int line)>& removed = {});

}  // namespace tq::faxui
