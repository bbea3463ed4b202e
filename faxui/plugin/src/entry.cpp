// The plug-in's entry points: the add-on table, the library entry and the
// module description. The one place that learns the plug-in's model from
// its build.
#include "common/addon_table.h"
#include "common/build_model.h"
#include "common/module_info.h"
#include "faxui/module_instance.h"
#include "pages/options_page.h"
#include "plugin_model.h"
#include "printflow/document_event.h"
#include "win/export.h"

namespace {

constexpr tq::AddOnTable kFuncTable =
    tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, &tq::faxui::AddOnPropertyPages, nullptr,
                          &tq::faxui::AddOnDocumentEvent);

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

}  // namespace

tq::Model tq::faxui::PluginModel() { return tq::kBuildModel; }

TQ_EXPORT const tq::AddOnTable* GetFuncTable() { return &kFuncTable; }

// No run-time start-up to run here: the loader has done it by the time the
// host calls us, so only the instance handle is to be kept.
TQ_EXPORT BOOL DllInitialize(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == kProcessAttach) tq::faxui::SetModuleInstance(instance);
  if (reason == kProcessDetach) tq::faxui::SetModuleInstance(nullptr);
  return TRUE;
}

// The same record as the language resource library's.
TQ_EXPORT const char* const* ModuleInfo() { return tq::ModuleInfoLines(); }
