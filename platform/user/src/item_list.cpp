#include "item_list.h"
#include "win/list_order.h"

#include <unicode/ucol.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>
#include <mutex>

namespace tq::ui {
namespace {

// One collator for the process; ucol_strcoll is safe to share once opened.
// Secondary strength: accents count, case does not (NORM_IGNORECASE).
UCollator* Collator() {
  static UCollator* collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* opened = ucol_open("fr", &status);
    if (U_FAILURE(status)) return static_cast<UCollator*>(nullptr);
    ucol_setStrength(opened, UCOL_SECONDARY);
    return opened;
  }();
  return collator;
}

char16_t Lower(char16_t c) {
  if (c < 128) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  return static_cast<char16_t>(u_tolower(c));
}

// A character as a UTF-16 unit: a narrow block's bytes are Latin-1, whose
// code points are the byte values.
template <class Char>
char16_t Unit(Char c) {
  return static_cast<char16_t>(c);
}

template <class A, class B>
bool EqualSpans(std::span<A> a, std::span<B> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char16_t x = Unit(a[i]);
    const char16_t y = Unit(b[i]);
    if (x != y && Lower(x) != Lower(y)) return false;
  }
  return true;
}

template <class A, class B>
bool StartsWithSpan(std::span<A> text, std::span<B> prefix) {
  return prefix.size() <= text.size() && EqualSpans(text.first(prefix.size()), prefix);
}

std::span<const char16_t> Span(std::u16string_view text) { return {text.data(), text.size()}; }

// Room for `more` elements, growing by half again at least, so that
// filling a block one item at a time copies it a bounded number of times.
template <class Vector>
void MakeRoom(Vector& vector, std::size_t more) {
  if (vector.capacity() - vector.size() >= more) return;
  vector.reserve(std::max(vector.size() + more, vector.capacity() + vector.capacity() / 2));
}

bool Fits(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

template <class Char>
TextKey KeyOf(std::span<const Char> text) {
  TextKey key;
  key.length = std::min(text.size(), TextKey::kLength);
  for (std::size_t i = 0; i < key.length; ++i) key.chars[i] = Lower(Unit(text[i]));
  return key;
}

// The order of KeyOf(text) and `key` without making the first: most texts
// differ from a block's bounds within a few characters.
template <class Char>
int CompareToKey(std::span<const Char> text, const TextKey& key) {
  const std::size_t length = std::min(text.size(), TextKey::kLength);
  for (std::size_t i = 0; i < std::min(length, key.length); ++i) {
    const char16_t c = Lower(Unit(text[i]));
    if (c != key.chars[i]) return c < key.chars[i] ? -1 : 1;
  }
  return length == key.length ? 0 : (length < key.length ? -1 : 1);
}

// Widens the bounds to take in `text`.
template <class Char>
void Widen(TextKey& low, TextKey& high, std::span<const Char> text) {
  if (CompareToKey(text, low) < 0) {
    low = KeyOf(text);
  } else if (CompareToKey(text, high) > 0) {
    high = KeyOf(text);
  }
}

}  // namespace

int CompareForSort(std::u16string_view a, std::u16string_view b) {
  if (UCollator* collator = Collator()) {
    return ucol_strcoll(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                        static_cast<int32_t>(b.size()));
  }
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return Lower(a[i]) < Lower(b[i]) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareListText(const std::u16string& a, const std::u16string& b) { return CompareForSort(a, b); }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) { return EqualSpans(Span(a), Span(b)); }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return StartsWithSpan(Span(text), Span(prefix));
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::PrepareFor(Wide value) {
  if (wide_ || std::in_range<Narrow>(value)) return;
  std::vector<Wide> large;
  large.reserve(small_.capacity());
  large.assign(small_.begin(), small_.end());
  large_ = std::move(large);
  small_ = {};
  wide_ = true;
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::MakeRoomForOne() {
  Change([](auto& values) { MakeRoom(values, 1); });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::Insert(std::size_t item, Wide value) {
  Change([&](auto& values) {
    using Value = typename std::decay_t<decltype(values)>::value_type;
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(item), static_cast<Value>(value));
  });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::Set(std::size_t item, Wide value) {
  Change([&](auto& values) {
    using Value = typename std::decay_t<decltype(values)>::value_type;
    values[item] = static_cast<Value>(value);
  });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::Fill(Wide value) {
  Change([&](auto& values) {
    using Value = typename std::decay_t<decltype(values)>::value_type;
    std::fill(values.begin(), values.end(), static_cast<Value>(value));
  });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::AssignSteps(std::size_t count, Wide first, Wide step) {
  TwoWidthValues values;
  if (count > 0) {
    values.PrepareFor(first);
    values.PrepareFor(static_cast<Wide>(first + static_cast<Wide>(count - 1) * step));
  }
  values.Change([&](auto& numbers) {
    using Value = typename std::decay_t<decltype(numbers)>::value_type;
    numbers.resize(count);
    Wide next = first;
    for (Value& number : numbers) {
      number = static_cast<Value>(next);
      next = static_cast<Wide>(next + step);
    }
  });
  *this = std::move(values);
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::AddFrom(std::size_t first, Wide amount) {
  Change([&](auto& values) {
    using Value = typename std::decay_t<decltype(values)>::value_type;
    for (std::size_t i = first; i < values.size(); ++i) values[i] = static_cast<Value>(values[i] + amount);
  });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::SubtractFrom(std::size_t first, Wide amount) {
  Change([&](auto& values) {
    using Value = typename std::decay_t<decltype(values)>::value_type;
    for (std::size_t i = first; i < values.size(); ++i) values[i] = static_cast<Value>(values[i] - amount);
  });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::Erase(std::size_t item) {
  Change([&](auto& values) { values.erase(values.begin() + static_cast<std::ptrdiff_t>(item)); });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::AssignTail(const TwoWidthValues& from, std::size_t first) {
  wide_ = from.wide_;
  if (wide_) {
    large_.assign(from.large_.begin() + static_cast<std::ptrdiff_t>(first), from.large_.end());
  } else {
    small_.assign(from.small_.begin() + static_cast<std::ptrdiff_t>(first), from.small_.end());
  }
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::Truncate(std::size_t size) {
  Change([&](auto& values) { values.resize(size); });
}

template <class Narrow, class Wide>
void TwoWidthValues<Narrow, Wide>::ShrinkToFit() {
  small_.shrink_to_fit();
  large_.shrink_to_fit();
}

template class TwoWidthValues<std::int32_t, LPARAM>;
template class TwoWidthValues<std::uint16_t, std::uint32_t>;

std::u16string_view ItemList::Block::View(int item, std::u16string& scratch) const {
  const std::size_t begin = Begin(item);
  const std::size_t length = Length(item);
  if (isWide) return {wide.data() + begin, length};
  scratch.assign(narrow.begin() + static_cast<std::ptrdiff_t>(begin),
                 narrow.begin() + static_cast<std::ptrdiff_t>(begin + length));
  return scratch;
}

// From the block found last, so that a pass over the list in either
// direction finds each item in constant time.
std::pair<int, int> ItemList::Locate(int index) const {
  const int blocks = static_cast<int>(blocks_.size());
  int block = cacheBlock_ < blocks ? cacheBlock_ : 0;
  int base = cacheBlock_ < blocks ? cacheBase_ : 0;
  while (block > 0 && index < base) {
    --block;
    base -= blocks_[block].Size();
  }
  while (block < blocks && index >= base + blocks_[block].Size()) {
    base += blocks_[block].Size();
    ++block;
  }
  if (block < blocks) {
    cacheBlock_ = block;
    cacheBase_ = base;
  }
  return {block, index - base};
}

std::u16string ItemList::Text(int index) const {
  auto [block, offset] = Locate(index);
  std::u16string scratch;
  const std::u16string_view text = blocks_[block].View(offset, scratch);
  return blocks_[block].isWide ? std::u16string(text) : scratch;
}

int ItemList::TextLength(int index) const {
  auto [block, offset] = Locate(index);
  return static_cast<int>(blocks_[block].Length(offset));
}

LPARAM ItemList::Data(int index) const {
  auto [block, offset] = Locate(index);
  return blocks_[block].data[static_cast<std::size_t>(offset)];
}

void ItemList::SetData(int index, LPARAM data) {
  madeMeasured_ = false;
  auto [block, offset] = Locate(index);
  blocks_[block].data.PrepareFor(data);
  blocks_[block].data.Set(static_cast<std::size_t>(offset), data);
}

void ItemList::SetEveryData(LPARAM data) {
  madeMeasured_ = false;
  for (Block& block : blocks_) block.data.PrepareFor(data);
  for (Block& block : blocks_) block.data.Fill(data);
}

bool ItemList::Selected(int index) const {
  auto [block, offset] = Locate(index);
  return blocks_[block].selection[static_cast<std::size_t>(offset)];
}

void ItemList::Select(int index, bool selected) {
  auto [block, offset] = Locate(index);
  Block& target = blocks_[block];
  const auto item = static_cast<std::size_t>(offset);
  if (target.selection[item] == selected) return;
  target.selection[item] = selected;
  const int change = selected ? 1 : -1;
  target.selected += change;
  selected_ += change;
}

void ItemList::SelectAll(bool selected) {
  for (Block& block : blocks_) {
    if (block.selected == (selected ? block.Size() : 0)) continue;
    std::fill(block.selection.begin(), block.selection.end(), selected);
    block.selected = selected ? block.Size() : 0;
  }
  selected_ = selected ? count_ : 0;
}

// Makes room first, so that nothing changes when memory runs out; a narrow
// block takes a character beyond a byte by widening every text it holds.
void ItemList::InsertInto(Block& block, int offset, std::u16string_view text, LPARAM data) {
  block.data.PrepareFor(data);
  block.ends.PrepareFor(static_cast<std::uint32_t>(block.TextSize() + text.size()));
  block.ends.MakeRoomForOne();
  block.data.MakeRoomForOne();
  MakeRoom(block.selection, 1);
  const std::size_t at = block.Begin(offset);
  if (!block.isWide && !Fits(text)) {
    std::vector<char16_t> wide;
    wide.reserve(block.narrow.size() + text.size());
    wide.assign(block.narrow.begin(), block.narrow.end());
    block.wide = std::move(wide);
    block.narrow = {};
    block.isWide = true;
  }
  if (block.isWide) {
    MakeRoom(block.wide, text.size());
    block.wide.insert(block.wide.begin() + static_cast<std::ptrdiff_t>(at), text.begin(), text.end());
  } else {
    MakeRoom(block.narrow, text.size());
    // Room at `at`, then the characters narrowed in place, without a
    // temporary copy. An empty block may have no buffer yet: nothing to move.
    const std::size_t tail = block.narrow.size() - at;
    block.narrow.resize(block.narrow.size() + text.size());
    unsigned char* place = block.narrow.data() + at;
    if (tail > 0) std::memmove(place + text.size(), place, tail);
    for (std::size_t i = 0; i < text.size(); ++i) place[i] = static_cast<unsigned char>(text[i]);
  }
  const auto length = static_cast<std::uint32_t>(text.size());
  block.ends.Insert(static_cast<std::size_t>(offset), static_cast<std::uint32_t>(at) + length);
  block.ends.AddFrom(static_cast<std::size_t>(offset) + 1, length);
  block.data.Insert(static_cast<std::size_t>(offset), data);
  block.selection.insert(block.selection.begin() + offset, false);
  if (block.Size() == 1) {
    block.low = block.high = KeyOf(Span(text));
  } else {
    Widen(block.low, block.high, Span(text));
  }
}

void ItemList::Measure(Block& block) {
  block.WithText(0, [&](auto text) { block.low = block.high = KeyOf(text); });
  for (int i = 1; i < block.Size(); ++i) block.WithText(i, [&](auto text) { Widen(block.low, block.high, text); });
}

void ItemList::Insert(int index, std::u16string_view text, LPARAM data) {
  madeMeasured_ = false;
  if (blocks_.empty()) {
    blocks_.emplace_back();
    try {
      InsertInto(blocks_.back(), 0, text, data);
    } catch (...) {
      blocks_.clear();  // never an empty block
      throw;
    }
    ++count_;
    return;
  }
  int block;
  int offset;
  if (index >= count_) {
    block = static_cast<int>(blocks_.size()) - 1;
    offset = blocks_[block].Size();
    // A list filled at its end starts a new block rather than halving a
    // full one: its blocks stay full, and give back the room they grew by.
    if (offset >= kBlock) {
      blocks_.emplace_back();
      try {
        InsertInto(blocks_.back(), 0, text, data);
      } catch (...) {
        blocks_.pop_back();
        throw;
      }
      ShrinkToFit(blocks_[block]);
      ++count_;
      return;
    }
  } else {
    std::tie(block, offset) = Locate(index);
  }
  InsertInto(blocks_[block], offset, text, data);
  ++count_;
  if (block < cacheBlock_) ++cacheBase_;
  if (blocks_[block].Size() > kBlock) Split(block);
}

// Never throws: a vector that finds no memory to shrink into stays as it is.
void ItemList::ShrinkToFit(Block& block) {
  block.wide.shrink_to_fit();
  block.narrow.shrink_to_fit();
  block.ends.ShrinkToFit();
  block.data.ShrinkToFit();
  block.selection.shrink_to_fit();
}

// Splits a full block in two halves. The item is in already: without
// memory for the split, the block stays whole until the next insertion.
void ItemList::Split(int block) {
  try {
    blocks_.reserve(blocks_.size() + 1);
    Block& lower = blocks_[block];
    constexpr int kHalf = kBlock / 2;
    const std::size_t cut = lower.Begin(kHalf);
    Block upper;
    upper.isWide = lower.isWide;
    if (lower.isWide) {
      upper.wide.assign(lower.wide.begin() + static_cast<std::ptrdiff_t>(cut), lower.wide.end());
    } else {
      upper.narrow.assign(lower.narrow.begin() + static_cast<std::ptrdiff_t>(cut), lower.narrow.end());
    }
    upper.ends.AssignTail(lower.ends, kHalf);
    upper.ends.SubtractFrom(0, static_cast<std::uint32_t>(cut));
    upper.data.AssignTail(lower.data, kHalf);
    upper.selection.assign(lower.selection.begin() + kHalf, lower.selection.end());
    upper.selected = static_cast<int>(std::count(upper.selection.begin(), upper.selection.end(), true));
    // Nothing below throws: shrinking releases what the lower half no
    // longer needs, or keeps it when it cannot.
    lower.selected -= upper.selected;
    lower.wide.resize(lower.isWide ? cut : 0);
    lower.narrow.resize(lower.isWide ? 0 : cut);
    lower.ends.Truncate(kHalf);
    lower.data.Truncate(kHalf);
    lower.selection.resize(kHalf);
    ShrinkToFit(lower);
    Measure(lower);
    Measure(upper);
    blocks_.insert(blocks_.begin() + block + 1, std::move(upper));
    if (block < cacheBlock_) ++cacheBlock_;
  } catch (const std::bad_alloc&) {
  }
}

void ItemList::Erase(int index) {
  madeMeasured_ = false;
  auto [block, offset] = Locate(index);
  Block& target = blocks_[block];
  const auto item = static_cast<std::size_t>(offset);
  if (target.selection[item]) {
    --target.selected;
    --selected_;
  }
  const std::size_t begin = target.Begin(offset);
  const auto length = static_cast<std::uint32_t>(target.Length(offset));
  if (target.isWide) {
    target.wide.erase(target.wide.begin() + static_cast<std::ptrdiff_t>(begin),
                      target.wide.begin() + static_cast<std::ptrdiff_t>(begin + length));
  } else {
    target.narrow.erase(target.narrow.begin() + static_cast<std::ptrdiff_t>(begin),
                        target.narrow.begin() + static_cast<std::ptrdiff_t>(begin + length));
  }
  target.ends.Erase(static_cast<std::size_t>(offset));
  target.ends.SubtractFrom(static_cast<std::size_t>(offset), length);
  target.data.Erase(static_cast<std::size_t>(offset));
  target.selection.erase(target.selection.begin() + offset);
  if (block < cacheBlock_) --cacheBase_;
  if (target.ends.empty()) {
    blocks_.erase(blocks_.begin() + block);
    if (block < cacheBlock_) --cacheBlock_;
  }
  --count_;
}

void ItemList::Clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  cacheBlock_ = cacheBase_ = 0;
  count_ = 0;
  selected_ = 0;
  madeMeasured_ = false;
}

void ItemList::AppendNumbered(int count) {
  std::vector<Block> added;
  added.reserve(static_cast<std::size_t>(count / kBlock + 1));
  for (int first = count_; first < count_ + count; first += kBlock) {
    const int size = std::min(kBlock, count_ + count - first);
    Block& block = added.emplace_back();
    block.ends.AssignSteps(static_cast<std::size_t>(size), 0, 0);
    block.data.AssignSteps(static_cast<std::size_t>(size), first, 1);
    block.selection.assign(static_cast<std::size_t>(size), false);
  }
  blocks_.reserve(blocks_.size() + added.size());
  std::move(added.begin(), added.end(), std::back_inserter(blocks_));
  count_ += count;
  madeMeasured_ = false;
}

void ItemList::Reserve(int count) {
  // Room for the blocks only: no block is made here, since every block
  // holds at least one item (SortedPosition reads each block's last one).
  if (count <= 0) return;
  blocks_.reserve(blocks_.size() + static_cast<std::size_t>(count / (kBlock / 2) + 1));
}

int ItemList::SortedPosition(std::u16string_view text) const {
  // The first block whose last item sorts after `text`, by binary search,
  // then the place inside it.
  std::u16string scratch;
  auto block = std::partition_point(blocks_.begin(), blocks_.end(), [&](const Block& b) {
    return CompareForSort(b.View(b.Size() - 1, scratch), text) <= 0;
  });
  int base = 0;
  for (auto it = blocks_.begin(); it != block; ++it) base += it->Size();
  if (block == blocks_.end()) return count_;
  int low = 0;
  int high = block->Size();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareForSort(text, block->View(middle, scratch)) < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return base + low;
}

namespace {

// The items [first, last) of a block whose characters are `chars` and
// whose texts end at `ends`: the first that equals `text` (`exact`) or
// starts with it, without case; -1 for none. The first characters are
// compared before anything else, so most items cost a read or two.
template <class Char, class End>
int FindIn(const Char* chars, const End* ends, int first, int last, std::span<const char16_t> text, bool exact) {
  const char16_t head = text.front();
  const char16_t initial = Lower(head);
  for (int i = first; i < last; ++i) {
    const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
    const std::uint32_t length = ends[i] - begin;
    if (length == 0 || length < text.size() || (exact && length != text.size())) continue;
    const char16_t c = Unit(chars[begin]);
    if (c != head && Lower(c) != initial) continue;
    if (EqualSpans(std::span<const Char>(chars + begin, text.size()), text)) return i;
  }
  return -1;
}

// A text that starts with the search text has the key's characters first,
// so its own key, between `low` and `high`, begins between their first
// key.size() characters.
bool MayHold(const TextKey& low, const TextKey& high, std::u16string_view key) {
  return low.view().substr(0, key.size()) <= key && key <= high.view().substr(0, key.size());
}

}  // namespace

int ItemList::FindText(int after, std::u16string_view text, bool exact) const {
  if (text.empty() || count_ == 0) return -1;
  const std::span<const char16_t> wanted = Span(text);
  const TextKey key = KeyOf(wanted);
  return FindRound(after, [&](const Block& block, int, int first, int last) {
    if (!MayHold(block.low, block.high, key.view())) return -1;
    return block.ends.With([&](const auto& ends) {
      return block.isWide ? FindIn(block.wide.data(), ends.data(), first, last, wanted, exact)
                          : FindIn(block.narrow.data(), ends.data(), first, last, wanted, exact);
    });
  });
}

int ItemList::FindMade(int after, std::u16string_view text, bool exact, const MakeText& make) {
  if (text.empty() || count_ == 0) return -1;
  std::u16string line;
  if (!madeMeasured_) {
    int base = 0;
    for (Block& block : blocks_) {
      for (int i = 0; i < block.Size(); ++i) {
        line.clear();
        make(base + i, line);
        if (i == 0) {
          block.low = block.high = KeyOf(Span(line));
        } else {
          Widen(block.low, block.high, Span(line));
        }
      }
      base += block.Size();
    }
    madeMeasured_ = true;
  }
  const TextKey key = KeyOf(Span(text));
  return FindRound(after, [&](const Block& block, int base, int first, int last) {
    if (!MayHold(block.low, block.high, key.view())) return -1;
    for (int i = first; i < last; ++i) {
      line.clear();
      make(base + i, line);
      if (exact ? EqualNoCase(line, text) : StartsWithNoCase(line, text)) return i;
    }
    return -1;
  });
}

int ItemList::CopyText(int index, char16_t* buffer) const {
  if (index < 0 || index >= count_) return -1;
  auto [block, offset] = Locate(index);
  return blocks_[block].WithText(offset, [&](auto chars) {
    if (buffer != nullptr) {
      std::copy(chars.begin(), chars.end(), buffer);
      buffer[chars.size()] = 0;
    }
    return static_cast<int>(chars.size());
  });
}

}  // namespace tq::ui
