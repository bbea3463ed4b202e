// List boxes whose owner makes their lines. A list box given a line maker
// keeps only each line's item data: LB_ADDSTRING and LB_INSERTSTRING take
// the item data in lParam, as Win32's owner-drawn lists without strings do,
// and the list asks the maker for a line's text whenever the line is shown,
// read (LB_GETTEXT, LB_GETTEXTLEN) or searched (LB_FINDSTRING,
// LB_FINDSTRINGEXACT, LB_SELECTSTRING, sorted insertion). A list of a
// hundred thousand lines made from data its owner holds anyway then costs a
// few bytes a line instead of a copy of every text. LB_SETCOUNT, as for
// Win32's lists without data, sets how many lines such a list has, each
// new line taking its index as item data: the way to fill a list with
// every entry of a table at once.
#pragma once

#include <functional>
#include <string>

#include "win/types.h"

namespace tq::ui {

// A list measures its lines for searches once after each change, so a
// line's text may change only with its item data (LB_SETITEMDATA) or by
// being inserted anew.
//
// Writes the text of the line whose item data is `data` into `line`
// (cleared first by the caller; its room is reused from line to line).
using ListLineMaker = std::function<void(LPARAM data, std::u16string& line)>;

// Gives list box `list` its maker; false when `list` is not a list box or
// already holds lines.
bool SetListLineMaker(HWND list, ListLineMaker maker);

}  // namespace tq::ui
