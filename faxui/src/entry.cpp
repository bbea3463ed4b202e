// The plug-in's entry points: the add-on table, the library entry and the
// module description.
#include "common/addon_table.h"
#include "common/module_info.h"
#include "export.h"
#include "faxui/module_instance.h"
#include "printflow/document_event.h"

namespace {

// The property-sheet hook joins the table as the options page is built;
// until then the host sees an empty slot and calls nothing.
constexpr tq::AddOnTable kFuncTable = tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, nullptr, nullptr,
                                                            &tq::faxui::AddOnDocumentEvent);

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

}  // namespace

FAXUI_EXPORT const tq::AddOnTable* GetFuncTable() { return &kFuncTable; }

// No run-time start-up to run here: the loader has done it by the time the
// host calls us, so only the instance handle is to be kept.
FAXUI_EXPORT BOOL DllInitialize(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == kProcessAttach) tq::faxui::SetModuleInstance(instance);
  if (reason == kProcessDetach) tq::faxui::SetModuleInstance(nullptr);
  return TRUE;
}

// The same record as the language resource library's.
FAXUI_EXPORT const char* const* ModuleInfo() { return tq::ModuleInfoLines(); }
