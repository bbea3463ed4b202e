// The plug-in's entry points: the add-on table, the library entry and the
// module description.
#include "common/addon_table.h"
#include "export.h"
#include "faxui/module_instance.h"
#include "pages/options_page.h"
#include "printflow/document_event.h"

namespace {

constexpr tq::AddOnTable kFuncTable =
    tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, &tq::faxui::AddOnPropertyPages, nullptr,
                          &tq::faxui::AddOnDocumentEvent);

#if defined(TELEQUILL_MODEL_P)
constexpr const char* kModuleInfo[] = {"Telequill Fax UI plug-in, model P", "Version 0.1", nullptr};
#else
constexpr const char* kModuleInfo[] = {"Telequill Fax UI plug-in, model N", "Version 0.1", nullptr};
#endif

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

FAXUI_EXPORT const char* const* ModuleInfo() { return kModuleInfo; }
