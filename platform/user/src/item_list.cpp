#include "item_list.h"
#include "win/list_order.h"

#include <unicode/ucol.h>
#include <unicode/uchar.h>

#include <algorithm>
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

TextKey KeyOf(const std::u16string& text) {
  TextKey key;
  key.length = std::min(text.size(), TextKey::kLength);
  for (std::size_t i = 0; i < key.length; ++i) key.chars[i] = Lower(text[i]);
  return key;
}

// The order of KeyOf(text) and `key` without making the first: most items
// differ from a block's bounds within a few characters.
int CompareToKey(const std::u16string& text, const TextKey& key) {
  const std::size_t length = std::min(text.size(), TextKey::kLength);
  for (std::size_t i = 0; i < std::min(length, key.length); ++i) {
    const char16_t c = Lower(text[i]);
    if (c != key.chars[i]) return c < key.chars[i] ? -1 : 1;
  }
  return length == key.length ? 0 : (length < key.length ? -1 : 1);
}

}  // namespace

int CompareForSort(const std::u16string& a, const std::u16string& b) {
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

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i] && Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

// From the block found last, so that a pass over the list in either
// direction finds each item in constant time.
std::pair<int, int> ItemList::Locate(int index) const {
  const int blocks = static_cast<int>(blocks_.size());
  int block = cacheBlock_ < blocks ? cacheBlock_ : 0;
  int base = cacheBlock_ < blocks ? cacheBase_ : 0;
  while (block > 0 && index < base) {
    --block;
    base -= static_cast<int>(blocks_[block].items.size());
  }
  while (block < blocks && index >= base + static_cast<int>(blocks_[block].items.size())) {
    base += static_cast<int>(blocks_[block].items.size());
    ++block;
  }
  if (block < blocks) {
    cacheBlock_ = block;
    cacheBase_ = base;
  }
  return {block, index - base};
}

Item& ItemList::At(int index) {
  auto [block, offset] = Locate(index);
  return blocks_[block].items[offset];
}

const Item& ItemList::At(int index) const {
  auto [block, offset] = Locate(index);
  return blocks_[block].items[offset];
}

void ItemList::Select(int index, bool selected) {
  auto [block, offset] = Locate(index);
  Block& target = blocks_[block];
  Item& item = target.items[offset];
  if (item.selected == selected) return;
  item.selected = selected;
  const int change = selected ? 1 : -1;
  target.selected += change;
  selected_ += change;
}

void ItemList::SelectAll(bool selected) {
  for (Block& block : blocks_) {
    const int size = static_cast<int>(block.items.size());
    if (selected) {
      if (block.selected == size) continue;
      for (Item& item : block.items) item.selected = true;
      block.selected = size;
      continue;
    }
    // Clearing stops at the block's last selected item.
    for (auto item = block.items.begin(); block.selected > 0; ++item) {
      if (!item->selected) continue;
      item->selected = false;
      --block.selected;
    }
  }
  selected_ = selected ? count_ : 0;
}

void ItemList::Insert(int index, Item item) {
  item.initial = item.text.empty() ? 0 : Lower(item.text.front());
  if (blocks_.empty()) {
    blocks_.emplace_back();
    try {
      blocks_.back().items.push_back(std::move(item));
      Measure(blocks_.back());
    } catch (...) {
      blocks_.clear();  // never an empty block
      throw;
    }
    selected_ += blocks_.back().items.back().selected ? 1 : 0;
    blocks_.back().selected = selected_;
    ++count_;
    return;
  }
  int block;
  int offset;
  if (index >= count_) {
    block = static_cast<int>(blocks_.size()) - 1;
    offset = static_cast<int>(blocks_[block].items.size());
  } else {
    std::tie(block, offset) = Locate(index);
  }
  Block& target = blocks_[block];
  const int change = item.selected ? 1 : 0;
  target.items.insert(target.items.begin() + offset, std::move(item));
  Widen(target, target.items[offset]);
  target.selected += change;
  selected_ += change;
  ++count_;
  if (block < cacheBlock_) ++cacheBase_;
  if (static_cast<int>(target.items.size()) > kBlock) Split(block);
}

// Splits a full block in two halves. The item is in already: without
// memory for the split, the block stays whole until the next insertion.
void ItemList::Split(int block) {
  try {
    blocks_.reserve(blocks_.size() + 1);
    Block& target = blocks_[block];
    Block upper;
    upper.items.reserve(target.items.size() - kBlock / 2);
    upper.items.assign(std::make_move_iterator(target.items.begin() + kBlock / 2),
                       std::make_move_iterator(target.items.end()));
    target.items.resize(kBlock / 2);
    target.items.shrink_to_fit();
    Measure(target);
    Measure(upper);
    upper.selected = static_cast<int>(
        std::count_if(upper.items.begin(), upper.items.end(), [](const Item& moved) { return moved.selected; }));
    target.selected -= upper.selected;
    blocks_.insert(blocks_.begin() + block + 1, std::move(upper));
    if (block < cacheBlock_) ++cacheBlock_;
  } catch (const std::bad_alloc&) {
  }
}

void ItemList::Erase(int index) {
  auto [block, offset] = Locate(index);
  Block& target = blocks_[block];
  if (target.items[offset].selected) {
    --target.selected;
    --selected_;
  }
  target.items.erase(target.items.begin() + offset);
  if (block < cacheBlock_) --cacheBase_;
  if (target.items.empty()) {
    blocks_.erase(blocks_.begin() + block);
    if (block < cacheBlock_) --cacheBlock_;
  }
  --count_;
}

void ItemList::Clear() {
  blocks_.clear();
  cacheBlock_ = cacheBase_ = 0;
  count_ = 0;
  selected_ = 0;
}

void ItemList::Reserve(int count) {
  // Room only: no block is made here, since every block holds at least one
  // item (SortedPosition reads each block's last one). A list filled in
  // order splits its blocks in halves, so that is the number to expect.
  if (count <= 0) return;
  blocks_.reserve(blocks_.size() + static_cast<std::size_t>(count / (kBlock / 2) + 1));
  if (!blocks_.empty()) {
    auto& items = blocks_.back().items;
    items.reserve(std::min(items.size() + count, std::size_t{kBlock + 1}));
  }
}

int ItemList::SortedPosition(const std::u16string& text) const {
  // The first block whose last item sorts after `text`, by binary search,
  // then the place inside it.
  auto block = std::partition_point(blocks_.begin(), blocks_.end(), [&](const Block& b) {
    return CompareForSort(b.items.back().text, text) <= 0;
  });
  int base = 0;
  for (auto it = blocks_.begin(); it != block; ++it) base += static_cast<int>(it->items.size());
  if (block == blocks_.end()) return count_;
  auto at = std::upper_bound(block->items.begin(), block->items.end(), text, [](const std::u16string& t, const Item& item) {
    return CompareForSort(t, item.text) < 0;
  });
  return base + static_cast<int>(at - block->items.begin());
}

void ItemList::Widen(Block& block, const Item& item) {
  if (CompareToKey(item.text, block.low) < 0) {
    block.low = KeyOf(item.text);
  } else if (CompareToKey(item.text, block.high) > 0) {
    block.high = KeyOf(item.text);
  }
}

void ItemList::Measure(Block& block) {
  block.low = block.high = KeyOf(block.items.front().text);
  for (const Item& item : block.items) Widen(block, item);
}

// A text that starts with the search text has the key's characters first,
// so its own key, between `low` and `high`, begins between their first
// key.size() characters.
bool ItemList::MayHold(const Block& block, std::u16string_view key) {
  const std::u16string_view low = block.low.view();
  const std::u16string_view high = block.high.view();
  return low.substr(0, key.size()) <= key && key <= high.substr(0, key.size());
}

int ItemList::FindText(int after, const std::u16string& text, bool exact) const {
  if (text.empty()) return -1;
  const char16_t initial = Lower(text.front());
  const TextKey key = KeyOf(text);
  if (exact) {
    return FindFrom(after, key.view(),
                    [&](const Item& item) { return item.initial == initial && EqualNoCase(item.text, text); });
  }
  return FindFrom(after, key.view(),
                  [&](const Item& item) { return item.initial == initial && StartsWithNoCase(item.text, text); });
}

int ItemList::CopyText(int index, char16_t* buffer) const {
  if (index < 0 || index >= count_) return -1;
  const std::u16string& text = At(index).text;
  if (buffer != nullptr) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
  }
  return static_cast<int>(text.size());
}

}  // namespace tq::ui
