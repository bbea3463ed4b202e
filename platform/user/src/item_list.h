// The items of a list box or combo box: text, item data and selection flag,
// kept in blocks so that inserting in the middle (sorted lists) costs a
// binary search and a short move, never a shift of the whole list. A block
// keeps its items' texts back to back in one buffer, one byte a character
// while every character is below U+0100 and two bytes once one is not, with
// the item data and selection flags in arrays beside it: an item costs its
// characters and a dozen bytes, not a string object and an allocation of
// its own. Each block counts its selected items, so counting, listing and
// clearing the selection pass over the selected items and skip the blocks
// without any; each knows the range its texts span without case, so a
// search reads only the blocks that can hold its text.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/types.h"

namespace tq::ui {

// Win32's order for sorted lists: a linguistic comparison that ignores case.
int CompareForSort(std::u16string_view a, std::u16string_view b);
// Case-insensitive equality and prefix test, as the list searches use them.
bool EqualNoCase(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);

// The first characters of a text without case, as the searches compare
// them; held in place so that keeping a block's bounds never allocates.
struct TextKey {
  static constexpr std::size_t kLength = 24;
  std::array<char16_t, kLength> chars{};
  std::size_t length = 0;
  std::u16string_view view() const { return {chars.data(), length}; }
};

// Numbers kept for each item of a block, in the narrower of two widths
// while every value fits it and in the wider from the first one that does
// not: item data (four bytes or eight) and where the items' texts end (two
// bytes or four).
template <class Narrow, class Wide>
class TwoWidthValues {
 public:
  std::size_t size() const { return wide_ ? large_.size() : small_.size(); }
  bool empty() const { return size() == 0; }
  Wide operator[](std::size_t item) const { return wide_ ? large_[item] : small_[item]; }
  // Takes the wider form when `value` does not fit the narrower (throws
  // std::bad_alloc, the values then as they were); the calls below take
  // only values so prepared for.
  void PrepareFor(Wide value);
  // Room for one more, so that Insert never throws.
  void MakeRoomForOne();
  void Insert(std::size_t item, Wide value);
  void Set(std::size_t item, Wide value);
  void Fill(Wide value);
  // Replaces the values by `count` values from `first` by `step`, in the
  // form the largest needs (throws std::bad_alloc, the values then as they
  // were).
  void AssignSteps(std::size_t count, Wide first, Wide step);
  // Adds `amount` to, or takes it from, every value from `first` on.
  void AddFrom(std::size_t first, Wide amount);
  void SubtractFrom(std::size_t first, Wide amount);
  void Erase(std::size_t item);
  // The values of `from` from `first` on, in its form.
  void AssignTail(const TwoWidthValues& from, std::size_t first);
  void Truncate(std::size_t size);
  void ShrinkToFit();
  // `visit(const std::vector<Narrow>&)` or `visit(const std::vector<Wide>&)`.
  template <class Visit>
  decltype(auto) With(Visit visit) const {
    return wide_ ? visit(large_) : visit(small_);
  }

 private:
  template <class Visit>
  decltype(auto) Change(Visit visit) {
    return wide_ ? visit(large_) : visit(small_);
  }
  std::vector<Narrow> small_;
  std::vector<Wide> large_;
  bool wide_ = false;
};

using BlockData = TwoWidthValues<std::int32_t, LPARAM>;
using BlockEnds = TwoWidthValues<std::uint16_t, std::uint32_t>;

class ItemList {
 public:
  int Count() const { return count_; }
  // Inserts an unselected item with `data` before `index` (at the end from
  // Count() on). Throws std::bad_alloc, the list then as it was.
  void Insert(int index, std::u16string_view text, LPARAM data = 0);
  void Erase(int index);
  void Clear();
  // The accessors take an index in range.
  std::u16string Text(int index) const;
  int TextLength(int index) const;
  LPARAM Data(int index) const;
  // Both throw std::bad_alloc, the data then as they were.
  void SetData(int index, LPARAM data);
  void SetEveryData(LPARAM data);
  // The selection flag is changed through these only, which keep the
  // counts.
  bool Selected(int index) const;
  void Select(int index, bool selected);
  void SelectAll(bool selected);
  int SelectedCount() const { return selected_; }
  // The selected indices in ascending order, `visit(index)` returning false
  // to stop.
  template <class Visit>
  void ForEachSelected(Visit visit) const;
  // Every item's text in order, as `visit(std::u16string_view)`.
  template <class Visit>
  void ForEachText(Visit visit) const;
  // Appends `count` unselected items without text, each with its index as
  // its data, a block at a time (LB_SETCOUNT of a list whose owner makes its
  // lines). Throws std::bad_alloc, the list then as it was.
  void AppendNumbered(int count);
  // Room for `count` more items (LB_INITSTORAGE); the items stay as they are.
  void Reserve(int count);
  // Where a sorted list puts `text`: after the items that sort equal to it.
  int SortedPosition(std::u16string_view text) const;
  // The searches of LB_FINDSTRING(EXACT) and CB_FINDSTRING(EXACT): from the
  // item after `after` round to it, without case; -1 for an empty text or
  // no match.
  int FindText(int after, std::u16string_view text, bool exact) const;
  // The same search over items that hold no text, whose texts `make(index,
  // text)` appends (a list whose owner makes its lines). The first search
  // after a change measures each block's bounds from the made texts; later
  // ones read only the blocks that can hold the text.
  using MakeText = std::function<void(int index, std::u16string& text)>;
  int FindMade(int after, std::u16string_view text, bool exact, const MakeText& make);
  // Copies item `index` with its terminator (LB_GETTEXT, CB_GETLBTEXT);
  // its length, or -1 for an index out of range.
  int CopyText(int index, char16_t* buffer) const;

 private:
  static constexpr int kBlock = 512;
  struct Block {
    // The texts back to back: `narrow` (Latin-1) while every character fits
    // a byte, else `wide`; the other one is empty.
    std::vector<unsigned char> narrow;
    std::vector<char16_t> wide;
    bool isWide = false;
    BlockEnds ends;  // where each item's text ends, in characters
    BlockData data;
    std::vector<bool> selection;
    int selected = 0;  // how many items are selected
    // Bounds of the items' keys (TextKey), in code unit order: an item
    // that starts with a search text has a key between them. Widened by
    // each insertion, measured again when the block splits; an erased item
    // may leave them wider than needed.
    TextKey low;
    TextKey high;

    int Size() const { return static_cast<int>(ends.size()); }
    std::size_t TextSize() const { return isWide ? wide.size() : narrow.size(); }
    std::size_t Begin(int item) const { return item == 0 ? 0 : ends[static_cast<std::size_t>(item) - 1]; }
    std::size_t Length(int item) const { return ends[static_cast<std::size_t>(item)] - Begin(item); }
    // Item `item`'s text: a view into the block, or for a narrow block into
    // `scratch`, which then holds it widened.
    std::u16string_view View(int item, std::u16string& scratch) const;
    // `visit(span)` on the item's characters, bytes or UTF-16 units.
    template <class Visit>
    auto WithText(int item, Visit visit) const {
      const std::size_t begin = Begin(item);
      const std::size_t length = Length(item);
      return isWide ? visit(std::span<const char16_t>(wide.data() + begin, length))
                    : visit(std::span<const unsigned char>(narrow.data() + begin, length));
    }
  };
  // Never an empty block: Erase drops a block once it is empty.
  std::vector<Block> blocks_;
  int count_ = 0;
  // The blocks' bounds hold for made texts: no item or its data changed
  // since FindMade measured them.
  bool madeMeasured_ = false;
  int selected_ = 0;
  // The block Locate found last and the index of its first item.
  mutable int cacheBlock_ = 0;
  mutable int cacheBase_ = 0;
  // Block and offset of an index.
  std::pair<int, int> Locate(int index) const;
  void InsertInto(Block& block, int offset, std::u16string_view text, LPARAM data);
  void Split(int block);
  static void ShrinkToFit(Block& block);
  static void Measure(Block& block);
  // The first index from the item after `after` round to it (from the top
  // when `after` is -1 or the last) that `find(block, base, first, last)`
  // finds: the offset of the first match among the block's items [first,
  // last), its first item being index `base`, or -1 when none matches; -1
  // when no block has one.
  template <class Find>
  int FindRound(int after, Find find) const;
};

template <class Find>
int ItemList::FindRound(int after, Find find) const {
  auto scan = [&](int from, int to) {
    int base = 0;
    for (const Block& block : blocks_) {
      const int size = block.Size();
      if (base + size > from && base < to) {
        const int found = find(block, base, std::max(from - base, 0), std::min(size, to - base));
        if (found >= 0) return base + found;
      }
      base += size;
      if (base >= to) break;
    }
    return -1;
  };
  int start = after + 1;
  if (start < 0 || start >= count_) start = 0;
  // From `start` to the end, then from the top.
  const int found = scan(start, count_);
  return found >= 0 ? found : scan(0, start);
}

template <class Visit>
void ItemList::ForEachText(Visit visit) const {
  std::u16string scratch;
  for (const Block& block : blocks_) {
    for (int i = 0; i < block.Size(); ++i) visit(block.View(i, scratch));
  }
}

template <class Visit>
void ItemList::ForEachSelected(Visit visit) const {
  int base = 0;
  for (const Block& block : blocks_) {
    for (int i = 0, left = block.selected; left > 0; ++i) {
      if (!block.selection[static_cast<std::size_t>(i)]) continue;
      --left;
      if (!visit(base + i)) return;
    }
    base += block.Size();
  }
}

}  // namespace tq::ui
