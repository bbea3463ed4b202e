// The objects the two libraries hand out over a CardBook: the address book,
// its people and lists, a list's contents table, the messaging session and
// the WAB object. Each is reference counted and deletes itself at its last
// Release.
#pragma once

#include <memory>

#include "card_book.h"
#include "win/mapi.h"

namespace tq::mapi {

// `resources` is the module whose resource script holds the address dialog.
IAddrBook* NewAddressBook(std::shared_ptr<const CardBook> book, HINSTANCE resources);
IMAPISession* NewSession(std::shared_ptr<const CardBook> book, HINSTANCE resources);
IWABObject* NewWabObject();

// The instance handle of the module that holds this code (the library's own
// dlopen handle), for its resource script.
HINSTANCE ThisModule();

}  // namespace tq::mapi
