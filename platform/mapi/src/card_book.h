// An address book made of vCard cards: people and distribution lists with
// stable entry IDs, display names, the three fax numbers and list members.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vcard_reader.h"

namespace tq::mapi {

// Entry IDs: 4 flag bytes (0), the 16 bytes of this provider's identifier,
// one kind byte and the contact's key: its UID, else "#" and a digest of the
// card's text, so that the same card gets the same ID in every run.
enum class EntryKind : std::uint8_t { Person = 0, List = 1, Unresolved = 2 };
using EntryId = std::vector<std::uint8_t>;

EntryId MakeEntryId(EntryKind kind, std::string_view key);
// The kind and key of an ID made by MakeEntryId; none for other bytes.
std::optional<std::pair<EntryKind, std::string>> ParseEntryId(const std::uint8_t* bytes, std::size_t size);

enum FaxSlot { kPrimaryFax = 0, kBusinessFax = 1, kHomeFax = 2 };

// A list member as the list names it.
struct MemberRef {
  std::string uid;    // urn:uuid:/plain UID of the member card
  std::string email;  // mailto: or an e-mail address
  std::string name;   // a name the list gives the member, if any
};

struct Contact {
  EntryId id;
  bool isList = false;
  std::string displayName;  // UTF-8
  std::string faxes[3];     // UTF-8, empty when absent
  std::string email;        // the first e-mail address
  std::vector<MemberRef> members;
};

class CardBook {
 public:
  // Adds the cards of one file.
  void Add(const std::vector<vcard::Card>& cards);

  const std::vector<Contact>& contacts() const { return contacts_; }
  const Contact* Find(const EntryId& id) const;
  // The contact a member names, else null.
  const Contact* Resolve(const MemberRef& member) const;

 private:
  std::vector<Contact> contacts_;
};

// One card as a contact (without its entry ID's disambiguation).
Contact ContactOfCard(const vcard::Card& card);

// The address book files of the two libraries: every .vcf of a folder in
// name order, or one file. `notVcard` is set when a file has no card at all.
struct LoadedBook {
  CardBook book;
  bool readable = true;
  bool notVcard = false;
};
LoadedBook LoadFolder(const std::string& folder);
LoadedBook LoadFile(const std::string& path);

}  // namespace tq::mapi
