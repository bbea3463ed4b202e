#include "host/document_properties.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "common/host_pages.h"
#include "host/host_options.h"
#include "host/host_sheet_pages.h"
#include "host/resource_pages.h"
#include "host/settings_store.h"
#include "texts.h"
#include "win/resource.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::host {

namespace {

// The companion window the host makes for each page: an empty hidden window
// of the host's own.
constexpr int kCompanionTemplate = 1;
const res::DialogTemplate kCompanion{kCompanionTemplate, u"", WS_POPUP, 0, 0, 0, 10, 10, {}};

// What one run of the sheet keeps: the device object and service table the
// plug-in is given, the document-properties context of the pages, the
// pages the plug-in added and the settings they edit.
struct SheetHost {
  Model model = Model::N;
  DeviceObject device{};
  HostServiceTable services{};
  DocumentPropertiesContext context{};
  std::deque<HostPageRecord> records;
  std::vector<PROPSHEETPAGEW> pages;
  const AddOnTable* table = nullptr;
  const SettingsLayout* layout = nullptr;
  SettingsBlock working;  // what the pages edit
  SettingsBlock applied;  // the settings the working copy started from, or last applied
  SettingsBlock output;   // the copy a commit hands back
  SettingsBlock stored;   // what the last commit wrote
  bool saved = false;
  // Every page commits on apply: the working copy is saved once, the
  // commits after it with nothing new save nothing.
  std::optional<SettingsBlock> lastSaved;
  std::string saveError;
  HWND sheet = nullptr;
};

SheetHost* HostOf(DocumentPropertiesContext* context) { return static_cast<SheetHost*>(context->host); }

void AddPages(void* pageSink, const PageSet* set, std::int32_t, HINSTANCE instance, HINSTANCE resourceInstance,
              PageProc pageProc, std::int32_t, std::int32_t, std::int32_t) {
  auto* host = static_cast<SheetHost*>(pageSink);
  if (host == nullptr || set == nullptr || set->pages == nullptr || pageProc == nullptr) return;
  for (std::int32_t i = 0; i < set->count; ++i) {
    HostPageRecord& record = host->records.emplace_back();
    record.context = &host->context;
    record.host = host;
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(PROPSHEETPAGEW);
    page.dwFlags = PSP_HASHELP;
    page.hInstance = resourceInstance != nullptr ? resourceInstance : instance;
    page.pszTemplate = MAKEINTRESOURCEW(set->pages[i].templateId);
    page.pfnDlgProc = pageProc;
    page.lParam = reinterpret_cast<LPARAM>(&record);
    host->pages.push_back(page);
  }
}

HWND CreateCompanion(DeviceObject*, HWND page, HGLOBAL) {
  return CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kCompanionTemplate), page, nullptr, 0);
}

// The host has nothing of its own to do with these messages.
LRESULT PageMessage(HWND, UINT, LPARAM) { return 0; }

// What the user changed in the pages since they opened (or were last
// applied) goes into the document settings as they are now, so that a
// change another program made meanwhile is kept; a file that cannot be
// written leaves the previous ones.
void Commit(DocumentPropertiesContext* context) {
  SheetHost* host = HostOf(context);
  if (host->lastSaved == host->working) return;
  std::string error;
  SettingsBlock stored;
  const auto merge = [host](SettingsBlock& current, std::string&) {
    MergeSettingChanges(host->applied, host->working, *host->layout, current);
    return true;
  };
  if (UpdateSettings(host->model, *host->table, *host->layout, merge, stored, error)) {
    host->applied = host->working;
    host->stored = std::move(stored);
    host->saved = true;
    host->saveError.clear();
    host->lastSaved = host->working;
    return;
  }
  host->saveError = error;
  const std::u16string text = texts::kSettingsNotSaved + Utf8ToUtf16(error);
  MessageBoxW(GetActiveWindow(), text.c_str(), texts::kPropertiesCaption, MB_OK | MB_ICONERROR);
}

void Notify(void*, std::int32_t, std::int32_t, std::int32_t) {}

}  // namespace

PropertiesOutcome RunDocumentProperties(const PluginSet& plugins, Model model, const SettingsLayout& layout,
                                        SettingsBlock& settings) {
  PropertiesOutcome outcome;
  const AddOnTable* table = plugins.ui().table;
  if (table == nullptr || table->propertyPages == nullptr) {
    outcome.status = PropertiesOutcome::Status::Failed;
    outcome.error = "the Fax UI plug-in has no property-sheet hook";
    return outcome;
  }
  static const res::DialogTemplate companions[] = {kCompanion};
  static const res::ResourceScript companionScript{companions, {}, {}};
  res::RegisterResources(nullptr, companionScript);

  SheetHost host;
  host.model = model;
  host.table = table;
  host.layout = &layout;
  host.working = settings;
  host.applied = settings;
  host.output = settings;
  host.services.addPages = AddPages;
  host.services.createCompanion = CreateCompanion;
  host.services.pageMessage = PageMessage;
  host.services.commit = Commit;
  host.device.serviceTable = &host.services;
  host.device.addOnCount = 1;
  host.device.addOns[0] = ControlBlockFor(table, layout);
  host.device.host = &host;
  DocumentPropertiesContext& context = host.context;
  context.host = &host;
  context.device = &host.device;
  context.settings = host.working.data();
  context.settingsSize = static_cast<std::int32_t>(host.working.size());
  context.output = host.output.data();
  context.mode = kModeCommitThroughHost | 0x01;
  context.SetUpdateFlag(1);
  context.notify = Notify;
  context.notifyFlag = 1;

  // The host's own pages come first, as the sheet's first page labels its
  // buttons; without the resource library the plug-in's pages still show.
  std::string libraryError;
  const HINSTANCE library = LoadResourceLibrary(model, libraryError);
  std::unique_ptr<HostPages> resolved;
  if (library == nullptr) {
    std::fprintf(stderr, "qlhost: %s; the host's own pages are left out\n", libraryError.c_str());
  } else {
    resolved = HostPages::Resolve(library, model, HostSheetTemplates(), ResourceLibraryFileName(model), stderr);
  }
  HostSheet hostSheet{&host.working, &layout, library, resolved.get(), [&host] {
                        Commit(&host.context);
                        if (host.saveError.empty()) host.output = host.stored;
                      },
                      [model](const std::string& port) { return RunAutoconfigure(model, port); }};
  std::deque<HostSheetPage> hostRecords;
  host.pages = HostSheetPages(hostSheet, hostRecords);
  const std::size_t hostPageCount = host.pages.size();

  table->propertyPages(&host.device, &host, host.working.data());
  if (host.pages.size() == hostPageCount) {
    outcome.status = PropertiesOutcome::Status::Failed;
    outcome.error = "the Fax UI plug-in added no page to the property sheet";
    return outcome;
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(PROPSHEETHEADERW);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
  header.pszCaption = texts::kPropertiesCaption;
  header.nPages = static_cast<UINT>(host.pages.size());
  header.ppsp = host.pages.data();
  const INT_PTR result = PropertySheetW(&header);
  if (result < 0) {
    outcome.status = PropertiesOutcome::Status::Failed;
    outcome.error = "the property sheet could not be shown";
    return outcome;
  }
  if (host.saved) settings = host.stored;
  if (!host.saveError.empty()) {
    outcome.status = PropertiesOutcome::Status::Failed;
    outcome.error = host.saveError;
    return outcome;
  }
  outcome.status = host.saved ? PropertiesOutcome::Status::Applied : PropertiesOutcome::Status::Cancelled;
  return outcome;
}

}  // namespace tq::host
