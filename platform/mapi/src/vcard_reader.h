// Reading vCard files (versions 2.1, 3.0 and 4.0) into cards of properties
// with their values decoded to UTF-8: folded lines joined, quoted-printable
// decoded, CHARSET converted through the kernel's code pages, backslash
// escapes of text values left for the reader of each property (structured
// values split on unescaped ';').
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tq::vcard {

struct Parameter {
  std::string name;   // upper case; empty for a vCard 2.1 bare type (TEL;FAX:)
  std::string value;  // as written, quotes removed
};

struct Property {
  std::string name;  // upper case, group prefix removed
  std::vector<Parameter> parameters;
  std::string value;  // UTF-8, escapes kept

  // The parameter's value, empty when absent.
  std::string Param(std::string_view name) const;
  // TYPE values, bare 2.1 types and "PREF" for a PREF parameter, upper case.
  bool HasType(std::string_view type) const;
};

struct Card {
  std::string version;  // "2.1", "3.0", "4.0" or empty
  std::vector<Property> properties;
  std::string text;  // the card's lines as read, for a digest of the card

  const Property* Find(std::string_view name) const;
};

struct ReadResult {
  std::vector<Card> cards;
  int skippedCards = 0;        // begun but never ended, or with no property
  int droppedLines = 0;        // too long or not a property line
  bool sawBeginVcard = false;  // false: the input is not a vCard file at all
};

// A logical line (after unfolding) longer than this is dropped: no address
// book writes one, and a reader must not let one file take all memory.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

ReadResult ReadCards(std::string_view bytes);

// A text value with its escapes resolved (\n, \N, \, \; \\).
std::string Unescape(std::string_view value);
// The components of a structured value (N, ADR), split on unescaped ';'
// and unescaped.
std::vector<std::string> Components(std::string_view value);

}  // namespace tq::vcard
