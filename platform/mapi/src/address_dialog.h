// The address dialog of IAddrBook::Address: the book's people and lists in
// one list, one destination well, OK and Cancel. Control identifiers are
// fixed for automation scripts (README, "Automation").
#pragma once

#include <vector>

#include "card_book.h"
#include "win/mapi.h"
#include "win/resource.h"

namespace tq::mapi {

inline constexpr int kAddressDialog = 1700;
inline constexpr int kSearchLabel = 1701;
inline constexpr int kSearchEdit = 1702;
inline constexpr int kBookList = 1703;
inline constexpr int kWellsTitle = 1704;
inline constexpr int kToButton = 1705;
inline constexpr int kToWell = 1706;
inline constexpr int kRemoveButton = 1707;
inline constexpr int kNewEntryTitle = 1708;

// The dialog's template and texts, for the libraries' resource scripts.
extern const tq::res::ResourceScript kAddressDialogScript;

// Runs the dialog modally on `parent` with the template of `resources`.
// OK fills `picked` with the well's entries in order and gives S_OK;
// Cancel gives MAPI_E_USER_CANCEL; a dialog that cannot be made,
// MAPI_E_CALL_FAILED.
HRESULT RunAddressDialog(HINSTANCE resources, HWND parent, const ADRPARM& parameters, const CardBook& book,
                         std::vector<const Contact*>& picked);

}  // namespace tq::mapi
