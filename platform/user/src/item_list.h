// The items of a list box or combo box: text, item data and selection flag,
// kept in blocks so that inserting in the middle (sorted lists) costs a
// binary search and a short move, never a shift of the whole list. Each
// block counts its selected items, so counting, listing and clearing the
// selection pass over the selected items and skip the blocks without any;
// each knows the range its texts span without case, so a search reads only
// the blocks that can hold its text.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "win/types.h"

namespace tq::ui {

struct Item {
  std::u16string text;
  LPARAM data = 0;
  bool selected = false;
  // The text's first character without case (set by ItemList::Insert): the
  // searches pass over most items without reaching their text.
  char16_t initial = 0;
};

// Win32's order for sorted lists: a linguistic comparison that ignores case.
int CompareForSort(const std::u16string& a, const std::u16string& b);
// Case-insensitive equality and prefix test, as the list searches use them.
bool EqualNoCase(const std::u16string& a, const std::u16string& b);
bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix);

// The first characters of a text without case, as the searches compare
// them; held in place so that keeping a block's bounds never allocates.
struct TextKey {
  static constexpr std::size_t kLength = 24;
  std::array<char16_t, kLength> chars{};
  std::size_t length = 0;
  std::u16string_view view() const { return {chars.data(), length}; }
};

class ItemList {
 public:
  int Count() const { return count_; }
  Item& At(int index);
  const Item& At(int index) const;
  void Insert(int index, Item item);
  void Erase(int index);
  void Clear();
  // The selection flag is changed through these only, which keep the
  // counts.
  bool Selected(int index) const { return At(index).selected; }
  void Select(int index, bool selected);
  void SelectAll(bool selected);
  int SelectedCount() const { return selected_; }
  // The selected indices in ascending order, `visit(index)` returning false
  // to stop.
  template <class Visit>
  void ForEachSelected(Visit visit) const;
  // Room for `count` more items (LB_INITSTORAGE); the items stay as they are.
  void Reserve(int count);
  // Where a sorted list puts `text`: after the items that sort equal to it.
  int SortedPosition(const std::u16string& text) const;
  // Every item; the visit may change anything but the text and the
  // selection flag.
  template <class Visit>
  void ForEach(Visit visit);
  // The searches of LB_FINDSTRING(EXACT) and CB_FINDSTRING(EXACT): from the
  // item after `after` round to it, without case; -1 for an empty text or
  // no match.
  int FindText(int after, const std::u16string& text, bool exact) const;
  // Copies item `index` with its terminator (LB_GETTEXT, CB_GETLBTEXT);
  // its length, or -1 for an index out of range.
  int CopyText(int index, char16_t* buffer) const;

 private:
  static constexpr int kBlock = 512;
  struct Block {
    std::vector<Item> items;
    int selected = 0;  // how many of `items` are selected
    // Bounds of the items' keys (TextKey), in code unit order: an item
    // that starts with a search text has a key between them. Widened by
    // each insertion, measured again when the block splits; an erased item
    // may leave them wider than needed.
    TextKey low;
    TextKey high;
  };
  // Never an empty block: Erase drops a block once it is empty.
  std::vector<Block> blocks_;
  int count_ = 0;
  int selected_ = 0;
  // The block Locate found last and the index of its first item.
  mutable int cacheBlock_ = 0;
  mutable int cacheBase_ = 0;
  // Block and offset of an index.
  std::pair<int, int> Locate(int index) const;
  void Split(int block);
  static void Widen(Block& block, const Item& item);
  static void Measure(Block& block);
  // Whether `block` can hold a text that starts with `key` (the search
  // text's TextKey).
  static bool MayHold(const Block& block, std::u16string_view key);
  // The first index, searching from `after` + 1 round to `after`, whose
  // item satisfies `match`, reading only the blocks that may hold `key`;
  // -1 when none does.
  template <class Match>
  int FindFrom(int after, std::u16string_view key, Match match) const;
};

template <class Match>
int ItemList::FindFrom(int after, std::u16string_view key, Match match) const {
  if (count_ == 0) return -1;
  int start = after + 1;
  if (start < 0 || start >= count_) start = 0;
  // Two passes over the blocks: from `start` to the end, then from 0.
  auto scan = [&](int from, int to) -> int {
    int base = 0;
    for (const auto& block : blocks_) {
      const int size = static_cast<int>(block.items.size());
      if (base + size > from && base < to && MayHold(block, key)) {
        for (int i = std::max(from - base, 0); i < size && base + i < to; ++i) {
          if (match(block.items[i])) return base + i;
        }
      }
      base += size;
      if (base >= to) break;
    }
    return -1;
  };
  const int found = scan(start, count_);
  return found >= 0 ? found : scan(0, start);
}

template <class Visit>
void ItemList::ForEach(Visit visit) {
  int index = 0;
  for (auto& block : blocks_) {
    for (Item& item : block.items) visit(index++, item);
  }
}

template <class Visit>
void ItemList::ForEachSelected(Visit visit) const {
  int base = 0;
  for (const auto& block : blocks_) {
    for (int i = 0, left = block.selected; left > 0; ++i) {
      if (!block.items[static_cast<std::size_t>(i)].selected) continue;
      --left;
      if (!visit(base + i)) return;
    }
    base += static_cast<int>(block.items.size());
  }
}

}  // namespace tq::ui
