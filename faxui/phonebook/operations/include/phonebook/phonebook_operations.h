// The phonebook operations that talk to the user: the file error message,
// validating and listing with their messages, expanding a group into a
// list, the file dialog, the conversion offer, and the phonebook dialog's
// commands New, Open and Save As. The store itself shows nothing; this is
// the layer the dialogs call.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/recipient_list.h"
#include "common/record_key.h"
#include "common/store_result.h"
#include "phonebook/current_phonebook.h"
#include "win/resource.h"
#include "win/types.h"

namespace tq::phonebook {

// The phonebook's part of the plug-in's resource script: the file dialog's
// filter string.
res::ResourceScript PhonebookOperationsResources();


// The file error message: kind 1 (cannot access), 4 (cannot find) or 5
// (invalid format), with an error icon, the caption and the path.
enum class FileErrorKind { CannotAccess = 1, NotFound = 4, BadFormat = 5 };
void ShowFileError(HWND owner, std::u16string_view path, std::u16string_view caption, FileErrorKind kind);

// Validates the phonebook, reporting a failure with the file error message.
bool ValidateCurrentPhonebook(HWND owner, std::u16string_view path);

// Fills the list box with one display line per record, the record type as
// item data; reports failures (the list may hold the lines read before).
bool ListRecordsInto(HWND owner, HWND list, std::u16string_view path);

// A recipient taken from the phonebook and waiting to be read, added at the
// end of the list: the default record (its empty fax number marks it as
// not yet read), and the entry's key in its details with the
// details-available flag set. The list must have room.
void AddWaitingRecipient(RecipientList& recipients, const RecordKey& key);

// Adds the members of the group to the target list (item data 2). When
// `recipients` is given, a line already in the list is added only if the
// user says so, each added member becomes a recipient waiting to be read,
// and the 50 limit stops the expansion with a warning; a full list fails at
// once. Without recipients, lines already there are skipped silently.
bool ExpandGroup(HWND owner, HWND target, std::u16string_view path, std::u16string_view groupName,
                 RecipientList* recipients);

enum class FilePurpose { New = 0, Open = 1, SaveAs = 2, SaveConversion = 3 };
// The open or save file dialog for phonebooks; on OK the chosen path.
std::optional<std::u16string> ChoosePhonebookFile(HWND owner, const CurrentPhonebook& current,
                                                  FilePurpose purpose);

// Asks (system-modal) whether to convert an older phonebook and where to;
// converts through the owner's scratch list (1023) and returns the new file's path,
// or none when declined or failed (the failure is reported).
std::optional<std::u16string> OfferConversion(HWND owner, const CurrentPhonebook& current,
                                              std::u16string_view oldPath, StoreResult version);

// Locates the current phonebook, offering conversions through the owner.
bool LocateCurrentPhonebook(HWND owner, CurrentPhonebook& current);

// Called after the current phonebook changed, to list it again.
using RefreshDialog = std::function<void()>;

// Makes the path current, validates it (unavailable when that fails) and
// refreshes the dialog.
void SwitchPhonebook(HWND dialog, CurrentPhonebook& current, std::u16string_view path,
                     const RefreshDialog& refresh);

// The dialog's commands New (1012), Open (1013) and Save As (1014).
void NewPhonebook(HWND dialog, CurrentPhonebook& current, const RefreshDialog& refresh);
void OpenPhonebook(HWND dialog, CurrentPhonebook& current, const RefreshDialog& refresh);
void SavePhonebookAs(HWND dialog, CurrentPhonebook& current);

}  // namespace tq::phonebook
