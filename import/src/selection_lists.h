// What the two-list selection dialogs of the CSV and speed-dial imports
// share: the search as one types, removing chosen lines, the limit, the
// progress dialog shown while the left list is filled.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "import_run.h"
#include "win/list_line_maker.h"
#include "win/types.h"

namespace tq::import {

// Which entries of the left list the right list holds, by the entry index
// both lists carry as item data, and how many of them share a name and a
// fax number: "Vers->" and removal ask it in constant time instead of
// reading the right list back.
class ChosenEntries {
 public:
  // Groups the `count` entries once by `keyOf(i)`, the name and fax number
  // of entry i as a pair of string views (throws std::bad_alloc).
  template <class KeyOf>
  ChosenEntries(std::size_t count, const KeyOf& keyOf);
  std::size_t Count() const { return first_.size(); }
  bool Holds(std::size_t entry) const { return held_[entry]; }
  // Whether the right list holds an entry with the name and number of `entry`.
  bool HoldsAlike(std::size_t entry) const { return alike_[first_[entry]] > 0; }
  bool Alike(std::size_t a, std::size_t b) const { return first_[a] == first_[b]; }
  void Add(std::size_t entry);
  void Remove(std::size_t entry);

 private:
  std::vector<std::uint32_t> first_;  // per entry: the first entry alike
  std::vector<bool> held_;
  std::vector<std::uint32_t> alike_;  // per first entry: how many alike are held
};

// A hash of an entry's name and fax number.
std::size_t KeyHash(const std::pair<std::string_view, std::string_view>& key);

template <class KeyOf>
ChosenEntries::ChosenEntries(std::size_t count, const KeyOf& keyOf)
    : first_(count), held_(count, false), alike_(count, 0) {
  // One pass with a table of the first entry of each key, open addressing
  // at most half full: linear in the entries.
  std::size_t size = 16;
  while (size < 2 * count) size *= 2;
  constexpr std::uint32_t kFree = UINT32_MAX;
  std::vector<std::uint32_t> firsts(size, kFree);
  for (std::size_t i = 0; i < count; ++i) {
    const auto key = keyOf(i);
    std::size_t slot = KeyHash(key) & (size - 1);
    while (firsts[slot] != kFree && keyOf(firsts[slot]) != key) slot = (slot + 1) & (size - 1);
    if (firsts[slot] == kFree) firsts[slot] = static_cast<std::uint32_t>(i);
    first_[i] = firsts[slot];
  }
}

// Selects the first line of the left list that begins with the search
// edit's text (without case), looking from the first selected line and
// wrapping round; nothing changes when no line matches.
void SearchAllList(HWND dialog);

// Removes the selected lines of the right list.
void RemoveChosenLines(HWND dialog, ChosenEntries& chosen);

// The messages both selection dialogs answer alike once open: Delete in the
// right list, the search edit, "Vers->" (which runs `moveSelected`) and
// removal. The dialog procedure's answer, or nothing for a command the
// dialog answers itself (help, details, OK, Cancel).
std::optional<INT_PTR> SharedSelectionMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                              ChosenEntries& chosen, const std::function<void()>& moveSelected);

// The selected lines of a list, ascending.
std::vector<int> SelectedLines(HWND dialog, int list);
std::vector<int> SelectedAllLines(HWND dialog);

// Both lists hold entry indices as item data and make their lines from
// them when they show, read or search them: `makeAll` the left list's,
// `makeChosen` the right list's. Set before the lists are filled.
void MakeListLines(HWND dialog, tq::ui::ListLineMaker makeAll, tq::ui::ListLineMaker makeChosen);

// Adds entry `entry` to the right list and marks it chosen; false when the
// list found no memory for it.
bool AddChosenLine(HWND dialog, ChosenEntries& chosen, std::size_t entry);

// True when the right list holds as many lines as the limit allows; the
// full-list message is then shown under `caption`.
bool ChosenListFull(const ImportRun& run, HWND dialog, std::u16string_view caption);

// The selected lines of the left list that "Vers->" moves, ascending; none
// when the right list is already full or the lines cannot be listed, each
// with its message under `caption`.
std::optional<std::vector<int>> LinesToMove(const ImportRun& run, HWND dialog, std::u16string_view caption);

LPARAM ListData(HWND dialog, int list, int index);
int ListCount(HWND dialog, int list);
// Puts every one of the `count` entries into the left list, under the
// progress dialog, entry i at line i for as long as the dialog is open;
// false when the list found no memory for them.
bool FillAllList(HWND dialog, HWND owner, std::size_t count);

// The modeless "please wait" dialog (117) while a list is filled.
class ProgressDialog {
 public:
  explicit ProgressDialog(HWND owner);
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

 private:
  HWND window_ = nullptr;
};

}  // namespace tq::import
