#include <cstring>
#include <memory>

#include "common/host_settings.h"
#include "faxui/addon_lookup.h"
#include "faxui/module_instance.h"
#include "printflow/prompt.h"

namespace tq::faxui {

void CopyIntoSendBlock(const PromptSession& session, FaxSendBlock& send) {
  std::memcpy(&send.recipients, &session.recipients.block, sizeof send.recipients);
  send.delayedSend = session.delayedSend;
  send.sendHour = session.hour;
  send.sendMinute = session.minute;
}

int RunPromptSequence(HWND owner, const AddOnControlBlock* mcb, void* settings,
                      RecipientDialogRunner recipientDialog) {
  if (settings == nullptr || recipientDialog == nullptr) return 0;
  // A fresh list for every job: recipients are never kept from one job to the next.
  auto session = std::make_unique<PromptSession>();
  session->privateArea = hsb::PrivateArea(settings);
  if (recipientDialog(owner, *session) == 0) return 0;
  if (DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kFaxPromptDialog), owner, FaxPromptDlgProc,
                      reinterpret_cast<LPARAM>(session.get())) != 1) {
    return 0;
  }
  FaxSendBlock* send = GetFaxSend(settings, mcb);
  if (send == nullptr) return 0;
  CopyIntoSendBlock(*session, *send);
  return 1;
}

}  // namespace tq::faxui
