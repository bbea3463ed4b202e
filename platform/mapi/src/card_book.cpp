#include "card_book.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace tq::mapi {
namespace {

constexpr std::uint8_t kProviderUid[16] = {'T', 'Q', 'V', 'C', 'A', 'R', 'D', 'B',
                                           'O', 'O', 'K', 0x01, 0x00, 0x00, 0x00, 0x00};
constexpr std::size_t kHeaderSize = 4 + sizeof kProviderUid + 1;

// 128 bits of FNV-1a (two 64-bit runs with different bases): an ID, not a
// protection, so a well-spread stable digest is all it needs.
std::string Digest(std::string_view text) {
  auto run = [&](std::uint64_t hash) {
    for (unsigned char c : text) {
      hash ^= c;
      hash *= 0x100000001b3ull;
    }
    return hash;
  };
  char out[40];
  std::snprintf(out, sizeof out, "#%016llx%016llx", static_cast<unsigned long long>(run(0xcbf29ce484222325ull)),
                static_cast<unsigned long long>(run(0x84222325cbf29ce4ull)));
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Trim(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t");
  return std::string(text.substr(start, end - start + 1));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

std::string DisplayName(const vcard::Card& card) {
  if (const vcard::Property* fn = card.Find("FN"); fn != nullptr) {
    std::string name = Trim(vcard::Unescape(fn->value));
    if (!name.empty()) return name;
  }
  if (const vcard::Property* n = card.Find("N"); n != nullptr) {
    std::vector<std::string> parts = vcard::Components(n->value);
    std::string name;
    // Given names first, then the family name, as the name is spoken.
    for (std::size_t index : {std::size_t{1}, std::size_t{0}}) {
      if (index < parts.size() && !Trim(parts[index]).empty()) {
        if (!name.empty()) name += ' ';
        name += Trim(parts[index]);
      }
    }
    if (!name.empty()) return name;
  }
  if (const vcard::Property* org = card.Find("ORG"); org != nullptr) {
    std::vector<std::string> parts = vcard::Components(org->value);
    if (!parts.empty() && !Trim(parts[0]).empty()) return Trim(parts[0]);
  }
  if (const vcard::Property* email = card.Find("EMAIL"); email != nullptr) return Trim(email->value);
  return {};
}

std::string TelNumber(std::string_view value) {
  std::string number = Trim(vcard::Unescape(value));
  if (!StartsWithNoCase(number, "tel:")) return number;
  number.erase(0, 4);
  // A tel: URI's parameters (";ext=", ";phone-context=") are not dialled,
  // and its visual separators ('-', '.', '(', ')') only group the digits
  // as the blanks of a written number do.
  if (std::size_t semicolon = number.find(';'); semicolon != std::string::npos) number.resize(semicolon);
  std::erase_if(number, [](char c) { return c == '-' || c == '.' || c == '(' || c == ')'; });
  return number;
}

// A fax TEL: "FAX" as a 2.1 bare type, a TYPE value, or 4.0's TYPE=fax.
// PREF goes to the primary fax, WORK to the business fax, HOME to the home
// fax; a fax with none of them takes the first free of the three.
void ReadFaxes(const vcard::Card& card, std::string (&faxes)[3]) {
  for (const vcard::Property& property : card.properties) {
    if (property.name != "TEL" || !property.HasType("FAX")) continue;
    std::string number = TelNumber(property.value);
    if (number.empty()) continue;
    bool placed = false;
    auto place = [&](int slot) {
      if (faxes[slot].empty()) faxes[slot] = number;
      placed = true;
    };
    if (property.HasType("PREF")) place(kPrimaryFax);
    if (property.HasType("WORK")) place(kBusinessFax);
    if (property.HasType("HOME")) place(kHomeFax);
    if (placed) continue;
    for (std::string& slot : faxes) {
      if (slot.empty()) {
        slot = number;
        break;
      }
    }
  }
}

MemberRef MemberOfUri(std::string_view raw) {
  MemberRef member;
  std::string value = Trim(raw);
  if (StartsWithNoCase(value, "urn:uuid:")) {
    member.uid = value.substr(9);
  } else if (StartsWithNoCase(value, "mailto:")) {
    member.email = value.substr(7);
  } else if (value.find('@') != std::string::npos && value.find(':') == std::string::npos) {
    member.email = value;
  } else {
    member.uid = value;
  }
  return member;
}

// The contact-list form of desktop mail clients: the list's EMAIL lines
// name the member's card (X-EVOLUTION-DEST-CONTACT-UID) and carry the
// address as "Name <address>".
MemberRef MemberOfListEmail(const vcard::Property& property) {
  MemberRef member;
  member.uid = property.Param("X-EVOLUTION-DEST-CONTACT-UID");
  std::string value = Trim(vcard::Unescape(property.value));
  std::size_t open = value.rfind('<');
  std::size_t close = value.rfind('>');
  if (open != std::string::npos && close != std::string::npos && close > open) {
    member.email = value.substr(open + 1, close - open - 1);
    std::string name = Trim(value.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    member.name = name;
  } else {
    member.email = value;
  }
  return member;
}

}  // namespace

EntryId MakeEntryId(EntryKind kind, std::string_view key) {
  EntryId id(4, 0);
  id.reserve(kHeaderSize + key.size());
  id.insert(id.end(), std::begin(kProviderUid), std::end(kProviderUid));
  id.push_back(static_cast<std::uint8_t>(kind));
  id.insert(id.end(), key.begin(), key.end());
  return id;
}

std::optional<std::pair<EntryKind, std::string>> ParseEntryId(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < kHeaderSize) return std::nullopt;
  if (!std::equal(std::begin(kProviderUid), std::end(kProviderUid), bytes + 4)) return std::nullopt;
  std::uint8_t kind = bytes[4 + sizeof kProviderUid];
  if (kind > static_cast<std::uint8_t>(EntryKind::Unresolved)) return std::nullopt;
  return std::make_pair(static_cast<EntryKind>(kind),
                        std::string(reinterpret_cast<const char*>(bytes) + kHeaderSize, size - kHeaderSize));
}

Contact ContactOfCard(const vcard::Card& card) {
  Contact contact;
  contact.displayName = DisplayName(card);
  ReadFaxes(card, contact.faxes);
  const vcard::Property* kind = card.Find("KIND");
  if (kind == nullptr) kind = card.Find("X-ADDRESSBOOKSERVER-KIND");
  const vcard::Property* listFlag = card.Find("X-EVOLUTION-LIST");
  contact.isList = (kind != nullptr && Lower(Trim(kind->value)) == "group") ||
                   (listFlag != nullptr && Lower(Trim(listFlag->value)) == "true");
  for (const vcard::Property& property : card.properties) {
    if (property.name == "MEMBER" || property.name == "X-ADDRESSBOOKSERVER-MEMBER") {
      contact.members.push_back(MemberOfUri(property.value));
    } else if (property.name == "EMAIL") {
      if (contact.email.empty()) contact.email = Trim(vcard::Unescape(property.value));
      if (listFlag != nullptr && contact.isList) contact.members.push_back(MemberOfListEmail(property));
    }
  }
  return contact;
}

void CardBook::Add(const std::vector<vcard::Card>& cards) {
  std::set<EntryId> taken;
  for (const Contact& contact : contacts_) taken.insert(contact.id);
  for (const vcard::Card& card : cards) {
    Contact contact = ContactOfCard(card);
    const vcard::Property* uid = card.Find("UID");
    std::string key = uid != nullptr ? Trim(uid->value) : std::string();
    if (StartsWithNoCase(key, "urn:uuid:")) key.erase(0, 9);
    if (key.empty()) key = Digest(card.text);
    EntryKind kind = contact.isList ? EntryKind::List : EntryKind::Person;
    contact.id = MakeEntryId(kind, key);
    // A UID given twice (or two identical cards) still makes two entries.
    for (int copy = 2; taken.count(contact.id) != 0; ++copy) {
      contact.id = MakeEntryId(kind, key + "/" + std::to_string(copy));
    }
    taken.insert(contact.id);
    contacts_.push_back(std::move(contact));
  }
}

const Contact* CardBook::Find(const EntryId& id) const {
  for (const Contact& contact : contacts_) {
    if (contact.id == id) return &contact;
  }
  return nullptr;
}

const Contact* CardBook::Resolve(const MemberRef& member) const {
  if (!member.uid.empty()) {
    for (EntryKind kind : {EntryKind::Person, EntryKind::List}) {
      if (const Contact* found = Find(MakeEntryId(kind, member.uid)); found != nullptr) return found;
    }
  }
  if (!member.email.empty()) {
    for (const Contact& contact : contacts_) {
      if (!contact.isList && Lower(contact.email) == Lower(member.email)) return &contact;
    }
  }
  return nullptr;
}

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

LoadedBook LoadFolder(const std::string& folder) {
  LoadedBook loaded;
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    loaded.readable = false;
    return loaded;
  }
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && Lower(entry.path().extension().string()) == ".vcf") {
      files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    std::string bytes;
    if (!ReadWhole(file, bytes)) continue;  // one unreadable file does not hide the others
    loaded.book.Add(vcard::ReadCards(bytes).cards);
  }
  return loaded;
}

LoadedBook LoadFile(const std::string& path) {
  LoadedBook loaded;
  std::string bytes;
  if (!ReadWhole(path, bytes)) {
    loaded.readable = false;
    return loaded;
  }
  vcard::ReadResult read = vcard::ReadCards(bytes);
  loaded.notVcard = !read.sawBeginVcard;
  loaded.book.Add(read.cards);
  return loaded;
}

}  // namespace tq::mapi
