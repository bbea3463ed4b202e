// One hive of the registry in memory, and its text file form.
//
// The file is UTF-8 text, one item a line:
//
//   TELEQUILL-REGISTRY 1              first line, names the format
//   # a comment                       ignored, as are empty lines
//   [SOFTWARE\Kalde\Varnholtex]       a key, its full path from the hive
//   @=sz:"C:\\Program Files\\x.exe"   the key's default (unnamed) value
//   "VqrApi"=sz:"text"                a REG_SZ value
//   "Path"=expand:"text"              a REG_EXPAND_SZ value
//   "Count"=dword:0000002a            a REG_DWORD value of 4 bytes
//   "Blob"=hex:01ab                   a REG_BINARY value
//   "Other"=hex(7):6100000000         any other type, or text data that are
//                                     not one well-formed terminated string
//
// Values belong to the key line above them (before any key line: to the
// hive's root). Quoted names and texts escape \\, \", \n, \r, \t and
// other control characters as \xHH. A text value
// holds the UTF-16 string without its terminator; reading it back yields
// exactly the bytes that were stored. Anything else in the file makes the
// whole file malformed: it is refused, never guessed at or rewritten.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/registry.h"

namespace tq::registry {

struct Value {
  std::u16string name;  // empty for the default value
  DWORD type = REG_NONE;
  std::string data;     // the bytes as RegSetValueExW received them
};

struct Key {
  std::u16string path;  // as first created
  std::vector<Value> values;

  Value* Find(std::u16string_view name);
};

struct Hive {
  // Keyed by the folded path, since key names ignore case.
  std::map<std::u16string, Key> keys;
};

// Key and value names compare without case, as on Windows.
std::u16string Fold(std::u16string_view name);
bool SameName(std::u16string_view a, std::u16string_view b);

// `base` and `sub` joined by backslashes, empty components dropped.
std::u16string JoinPath(std::u16string_view base, std::u16string_view sub);

std::string Serialize(const Hive& hive);
// Empty when the text is not a hive file of this format.
std::optional<Hive> Parse(std::string_view text);

}  // namespace tq::registry
