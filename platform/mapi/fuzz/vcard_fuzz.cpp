// Any bytes as a vCard file: read into cards, made into an address book,
// every list's members resolved. Nothing may crash or read past a buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card_book.h"
#include "vcard_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tq::vcard::ReadResult read = tq::vcard::ReadCards(bytes);
  tq::mapi::CardBook book;
  book.Add(read.cards);
  for (const tq::mapi::Contact& contact : book.contacts()) {
    for (const tq::mapi::MemberRef& member : contact.members) (void)book.Resolve(member);
    (void)tq::mapi::ParseEntryId(contact.id.data(), contact.id.size());
  }
  for (const tq::vcard::Card& card : read.cards) {
    for (const tq::vcard::Property& property : card.properties) (void)tq::vcard::Components(property.value);
  }
  return 0;
}
