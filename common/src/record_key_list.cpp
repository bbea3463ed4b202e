#include "common/record_key_list.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tq {

// The text, kept to what a length holds, at the buffer's end: its length,
// and where it starts in `start`.
std::uint16_t RecordKeyList::Append(std::string_view text, std::uint32_t& start) {
  const std::string_view kept = text.substr(0, UINT16_MAX);
  if (text_.size() + kept.size() > UINT32_MAX) throw std::bad_alloc();
  start = static_cast<std::uint32_t>(text_.size());
  text_ += kept;
  return static_cast<std::uint16_t>(kept.size());
}

void RecordKeyList::AddName(std::string_view name) {
  std::uint32_t start = 0;
  nameLength_ = Append(name, start);
  name_ = start;
}

void RecordKeyList::AddKey(std::string_view faxNumber) {
  const std::size_t before = text_.size();
  std::uint32_t start = 0;
  const std::uint16_t length = Append(faxNumber, start);
  try {
    keys_.push_back({name_, start, nameLength_, length});
  } catch (...) {
    text_.resize(before);
    throw;
  }
}

void RecordKeyList::Add(std::string_view name, std::string_view faxNumber) {
  if (keys_.empty() || name != std::string_view(text_).substr(name_, nameLength_)) AddName(name);
  AddKey(faxNumber);
}

void RecordKeyList::Truncate(std::size_t count) {
  if (count >= keys_.size()) return;
  keys_.resize(count);
  // The texts of the keys kept end before the first one's dropped.
  std::size_t end = 0;
  for (const Key& key : keys_) {
    end = std::max<std::size_t>({end, key.name + std::size_t{key.nameLength}, key.faxNumber + std::size_t{key.faxNumberLength}});
  }
  text_.resize(end);
  if (name_ + std::size_t{nameLength_} > end) {
    name_ = keys_.empty() ? 0 : keys_.back().name;
    nameLength_ = keys_.empty() ? 0 : keys_.back().nameLength;
  }
}

void RecordKeyList::Clear() { *this = RecordKeyList(); }

void RecordKeyList::Select(std::span<const std::uint32_t> order) {
  std::vector<Key> kept;
  kept.reserve(order.size());
  for (const std::uint32_t key : order) kept.push_back(keys_[key]);
  keys_ = std::move(kept);
  name_ = keys_.empty() ? 0 : keys_.back().name;
  nameLength_ = keys_.empty() ? 0 : keys_.back().nameLength;
}

void RecordKeyList::Reserve(std::size_t keys, std::size_t textBytes) {
  keys_.reserve(keys);
  text_.reserve(textBytes);
}

}  // namespace tq
