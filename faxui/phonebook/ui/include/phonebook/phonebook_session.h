// What the phonebook dialog and the editors it opens share while it is
// open: the current phonebook, the working entry, the working group name
// and the group the group editor produced. The phonebook dialog owns it and
// hands it to each editor it opens.
#pragma once

#include <string>
#include <vector>

#include "phonebook/current_phonebook.h"
#include "phonebook/records.h"

namespace tq::faxui {

struct PhonebookSession {
  phonebook::CurrentPhonebook* current = nullptr;
  // The only in-memory copy of an entry: read into, edited, written from.
  phonebook::PhonebookEntry working{};
  // Empty for a new group; the group editor's OK puts the new name here.
  std::u16string groupName;
  // The group in its file form after the group editor's OK, until it is
  // stored.
  std::vector<char> groupRecord;
};

}  // namespace tq::faxui
