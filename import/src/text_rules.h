// The clean-up rules every import applies to the texts it takes from a
// file or an address book before they become a name or a fax number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tq::import {

// Names and fax numbers are cut to this many bytes.
inline constexpr std::size_t kMaxTextLength = 30;

// Without the blanks (spaces only) at both ends.
std::string_view TrimBlanks(std::string_view text);

// '[' and ']' become '(' and ')': the phonebook shows a group as a name in
// square brackets, so an entry's name never holds them. The trail byte of a
// double-byte character (after any byte from 0x80) is passed over.
std::string ReplaceNameBrackets(std::string_view name);

// Upper case, then without any byte up to the blank, above 'z', and
// without ',', '[' and ']'. An empty result means no number.
std::string NormalizeFaxNumber(std::string_view number);

}  // namespace tq::import
