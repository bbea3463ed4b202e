// Names and fax numbers in ANSI, back to back in one buffer: a list of
// record keys that costs their characters and a dozen bytes a key, where
// a vector of string pairs costs sixty-four, and that keeps a name once
// for the consecutive keys that bear it (the fax columns of one row).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

class RecordKeyList {
 public:
  std::size_t Count() const { return keys_.size(); }
  bool Empty() const { return keys_.empty(); }
  std::string_view Name(std::size_t key) const { return {text_.data() + keys_[key].name, keys_[key].nameLength}; }
  std::string_view FaxNumber(std::size_t key) const {
    return {text_.data() + keys_[key].faxNumber, keys_[key].faxNumberLength};
  }
  // A name, then a key bearing it for each fax number. A text is kept to
  // its first 65,535 bytes. Both throw std::bad_alloc when memory runs out
  // or the buffer would pass 4 GiB, the list then as it was.
  void AddName(std::string_view name);
  void AddKey(std::string_view faxNumber);
  // A key with a name of its own, unless it is the name added last.
  void Add(std::string_view name, std::string_view faxNumber);
  // Keeps the first `count` keys.
  void Truncate(std::size_t count);
  // Keeps the keys `order` names (each below Count()), in that order; their
  // texts stay where they are. Throws std::bad_alloc, the list then as it was.
  void Select(std::span<const std::uint32_t> order);
  // Empties the list and gives its memory back.
  void Clear();
  // Room for `keys` keys and `textBytes` bytes of their texts. Room never
  // written to takes no memory, so a generous bound costs nothing, and
  // there is nothing to give back once the list is filled.
  void Reserve(std::size_t keys, std::size_t textBytes = 0);

 private:
  struct Key {
    std::uint32_t name;  // where the texts start in `text_`
    std::uint32_t faxNumber;
    std::uint16_t nameLength;
    std::uint16_t faxNumberLength;
  };
  std::string text_;
  std::vector<Key> keys_;
  std::uint32_t name_ = 0;  // the name added last
  std::uint16_t nameLength_ = 0;
  std::uint16_t Append(std::string_view text, std::uint32_t& start);
};

}  // namespace tq
