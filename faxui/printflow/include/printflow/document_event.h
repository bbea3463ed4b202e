// The plug-in's document-event hook (slot 76 of its add-on table): at the
// start of a document it notes the names the document monitor needs, and at
// the fax point it completes the account user, runs the prompt, stores the
// recipients in the job's settings and announces the job.
#pragma once

#include "common/addon_table.h"
#include "printflow/prompt.h"

namespace tq::faxui {

std::int32_t AddOnDocumentEvent(DeviceObject* device, HANDLE printer, HDC dc, std::int32_t event,
                                std::uint32_t inSize, void* in, std::uint32_t outSize, void* out);

// The hook with the recipient dialog given explicitly (tests give a stand-in
// for dialog 101); AddOnDocumentEvent uses RecipientDlgProc.
std::int32_t HandleDocumentEvent(DeviceObject* device, HANDLE printer, HDC dc, std::int32_t event,
                                 std::uint32_t inSize, void* in, RecipientDialogRunner recipientDialog);

// The output tray names of the print-job announcement, by the settings
// block's tray index; empty for any other index.
const char16_t* OutputTrayName(int trayIndex);

}  // namespace tq::faxui
