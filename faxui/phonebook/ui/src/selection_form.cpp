// The selection form's recipients: adding phonebook lines, removing
// recipients, the properties of one, and reading each one on OK.
#include <string>
#include <vector>

#include "common/ansi_slots.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "phonebook/entry_editor.h"
#include "phonebook/phonebook_ui.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "phonebook_dialog_state.h"
#include "phonebook_lines.h"
#include "recipients/recipient_dialog.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr std::u16string_view kAddCaption = u"Ajouter le destinataire à la liste";

bool FaxNumberEmpty(const EntryRecord& record) { return record.faxNumber[0] == '\0'; }

// Adds an individual line as a recipient waiting to be read; false when
// the user chose not to add a line already there.
bool AddIndividual(HWND dialog, RecipientList& recipients, const std::u16string& line) {
  HWND chosen = GetDlgItem(dialog, pb::kRecipientList);
  if (FindExactLine(chosen, line) >= 0) {
    const LineParts parts = SplitIndividualLine(line);
    const std::u16string question = NameAndNumber(parts.name, parts.faxNumber) +
                                    u"\n\nCe destinataire existe déjà dans la liste.\n"
                                    u"Souhaitez-vous quand même l'ajouter ?";
    if (ShowMessage(dialog, question, kAddCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  AddListLine(dialog, pb::kRecipientList, line);
  const int slot = recipients.block.count;
  recipients.block.records[slot] = DefaultEntryRecord;
  ClearEntryDetails(recipients.details[slot]);
  recipients.details[slot].detailsAvailable = 1;
  recipients.block.count = slot + 1;
  return true;
}

}  // namespace

void AddSelectedToRecipients(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  RecipientList& recipients = *state.recipients;
  if (recipients.block.count >= kMaxRecipients) {
    ShowMessage(dialog,
                u"La liste contient maintenant le nombre maximum de 50 destinataires.\n"
                u"Cette entrée n'a pas été ajoutée.",
                kAddCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  HWND list = GetDlgItem(dialog, pb::kEntryList);
  const int selected = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
  const std::vector<int> lines = SelectedLines(dialog, pb::kEntryList, std::max(selected, 0));
  for (auto at = lines.rbegin(); at != lines.rend() && recipients.block.count < kMaxRecipients; ++at) {
    const std::u16string line = ListLine(list, *at);
    if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(*at), 0) ==
        static_cast<LRESULT>(phonebook::RecordType::Group)) {
      if (!phonebook::ExpandGroup(dialog, GetDlgItem(dialog, pb::kRecipientList), state.current().path,
                                  GroupNameOfLine(line), &recipients)) {
        return;
      }
      continue;
    }
    if (!AddIndividual(dialog, recipients, line)) continue;
    if (recipients.block.count >= kMaxRecipients && std::next(at) != lines.rend()) {
      ShowMessage(dialog,
                  u"La liste contient maintenant le nombre maximum de 50 destinataires.\n"
                  u"Certaines entrées n'ont pas été ajoutées.",
                  kAddCaption, MB_OK | MB_ICONWARNING);
      return;
    }
  }
}

bool RemoveSelectedRecipientsOnDelete(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return false;
  if (SendDlgItemMessageW(dialog, pb::kRecipientList, LB_GETSELCOUNT, 0, 0) <= 0) return false;
  if (ShowMessage(dialog, u"Souhaitez-vous supprimer les destinataires sélectionnés de la liste ?",
                  u"Suppression de destinataires de la liste", MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  RemoveSelectedRecipients(dialog, pb::kRecipientList, *state.recipients);
  return true;
}

void ShowRecipientProperties(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  const std::vector<int> lines = SelectedLines(dialog, pb::kRecipientList, 1);
  if (lines.empty() || lines[0] >= state.recipients->block.count) return;
  const int slot = lines[0];
  if (state.recipients->details[slot].detailsAvailable != 1) return;
  if (!FaxNumberEmpty(state.recipients->block.records[slot])) return;
  const std::u16string line = ListLine(GetDlgItem(dialog, pb::kRecipientList), slot);
  if (FindExactLine(GetDlgItem(dialog, pb::kEntryList), line) < 0) return;
  ShowEntryProperties(dialog, state.session, pb::kRecipientList, line);
}

void ReadPendingRecipients(HWND dialog, PhonebookDialogState& state) {
  if (state.recipients == nullptr) return;
  RecipientList& recipients = *state.recipients;
  HWND chosen = GetDlgItem(dialog, pb::kRecipientList);
  phonebook::PhonebookEntry& working = state.session.working;
  for (int slot = 0; slot < recipients.block.count; ++slot) {
    EntryRecord& record = recipients.block.records[slot];
    EntryDetails& details = recipients.details[slot];
    if (details.detailsAvailable != 1 || !FaxNumberEmpty(record)) continue;
    const std::u16string line = ListLine(chosen, slot);
    phonebook::ResetWorkingEntry(working);
    if (phonebook::ReadEntry(state.current().path, line, working) == StoreResult::Ok) {
      phonebook::TakeEntryAsRecipient(working, record, details);
      continue;
    }
    // Gone meanwhile: the recipient keeps what its line says.
    const LineParts parts = SplitIndividualLine(line);
    CopyToWideSlot(details.name, parts.name);
    CopyToWideSlot(details.faxNumber, parts.faxNumber);
    WideToAnsiSlot(parts.name, record.name);
    WideToAnsiSlot(parts.faxNumber, record.faxNumber);
    ShowMessage(dialog,
                NameAndNumber(parts.name, parts.faxNumber) +
                    u"\n\nErreur de base de données.\nImpossible d'obtenir les propriétés du destinataire.",
                u"Lecture des propriétés du destinataire", MB_OK);
  }
}

}  // namespace tq::faxui
