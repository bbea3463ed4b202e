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

std::pair<int, int> ItemList::Locate(int index) const {
  int block = 0;
  while (block < static_cast<int>(blocks_.size()) && index >= static_cast<int>(blocks_[block].size())) {
    index -= static_cast<int>(blocks_[block].size());
    ++block;
  }
  return {block, index};
}

Item& ItemList::At(int index) {
  auto [block, offset] = Locate(index);
  return blocks_[block][offset];
}

const Item& ItemList::At(int index) const {
  auto [block, offset] = Locate(index);
  return blocks_[block][offset];
}

void ItemList::Insert(int index, Item item) {
  if (blocks_.empty()) blocks_.emplace_back();
  int block;
  int offset;
  if (index >= count_) {
    block = static_cast<int>(blocks_.size()) - 1;
    offset = static_cast<int>(blocks_[block].size());
  } else {
    std::tie(block, offset) = Locate(index);
  }
  auto& target = blocks_[block];
  target.insert(target.begin() + offset, std::move(item));
  ++count_;
  if (static_cast<int>(target.size()) > kBlock) {
    // Split a full block in two halves.
    std::vector<Item> upper(std::make_move_iterator(target.begin() + kBlock / 2),
                            std::make_move_iterator(target.end()));
    target.resize(kBlock / 2);
    blocks_.insert(blocks_.begin() + block + 1, std::move(upper));
  }
}

void ItemList::Erase(int index) {
  auto [block, offset] = Locate(index);
  auto& target = blocks_[block];
  target.erase(target.begin() + offset);
  if (target.empty()) blocks_.erase(blocks_.begin() + block);
  --count_;
}

void ItemList::Clear() {
  blocks_.clear();
  count_ = 0;
}

void ItemList::Reserve(int count) {
  // Room only: no block is made here, since every block holds at least one
  // item (SortedPosition reads each block's last one). A list filled in
  // order splits its blocks in halves, so that is the number to expect.
  if (count <= 0) return;
  blocks_.reserve(blocks_.size() + static_cast<std::size_t>(count / (kBlock / 2) + 1));
  if (!blocks_.empty()) blocks_.back().reserve(std::min(blocks_.back().size() + count, std::size_t{kBlock + 1}));
}

int ItemList::SortedPosition(const std::u16string& text) const {
  // The first block whose last item sorts after `text`, by binary search,
  // then the place inside it.
  auto block = std::partition_point(blocks_.begin(), blocks_.end(), [&](const std::vector<Item>& b) {
    return CompareForSort(b.back().text, text) <= 0;
  });
  int base = 0;
  for (auto it = blocks_.begin(); it != block; ++it) base += static_cast<int>(it->size());
  if (block == blocks_.end()) return count_;
  auto at = std::upper_bound(block->begin(), block->end(), text, [](const std::u16string& t, const Item& item) {
    return CompareForSort(t, item.text) < 0;
  });
  return base + static_cast<int>(at - block->begin());
}

int ItemList::FindText(int after, const std::u16string& text, bool exact) const {
  if (text.empty()) return -1;
  if (exact) return FindFrom(after, [&](const Item& item) { return EqualNoCase(item.text, text); });
  return FindFrom(after, [&](const Item& item) { return StartsWithNoCase(item.text, text); });
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
