#include "scripted_dialog.h"

#include <string>

#include "common/host_settings.h"
#include "faxui/resource_ids.h"
#include "recipient_list/resources.h"
#include "recipients/recipient_dialog.h"
#include "recipients/resources.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui::testing {

namespace {

// The two dialogs' templates and the mode strings, gathered at first use.
const tq::res::ResourceScript& Script() {
  static const tq::res::GatheredScript gathered{RecipientResources(), CommResources()};
  return gathered.script();
}

void SetHostOptions(unsigned char* area, HostOptions options) {
  hsb::SetField(area, hsb::priv::kG4Option, options.g4Option ? 1 : 0);
  hsb::SetField(area, hsb::priv::kSpeedDialRange, options.largeSpeedDial ? 1 : 0);
}

// An export of a plug-in as the function type it has.
template <typename Function>
Function FunctionFrom(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

DialogRun RunRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                             HostOptions options) {
  return RunDialogInChild(folder, script, Script(), [&](ChildOutcome& outcome) -> long long {
    unsigned char area[hsb::priv::kMinimumSize] = {};
    SetHostOptions(area, options);
    RecipientDialogParams params{&outcome.recipients, area};
    return DialogBoxParamW(kTestInstance, MAKEINTRESOURCEW(kRecipientDialogId), nullptr, RecipientDlgProc,
                           reinterpret_cast<LPARAM>(&params));
  });
}

DialogRun RunPluginRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                                   const std::string& pluginFile, HostOptions options) {
  return RunDialogInChild(folder, script, Script(), [&](ChildOutcome& outcome) -> long long {
    const std::string path = std::string(TELEQUILL_BIN_DIR) + "/" + pluginFile;
    const std::u16string widePath(path.begin(), path.end());
    HMODULE plugin = LoadLibraryW(reinterpret_cast<LPCWSTR>(widePath.c_str()));
    if (plugin == nullptr) return -100;
    using Entry = BOOL (*)(HINSTANCE, DWORD, LPVOID);
    auto entry = FunctionFrom<Entry>(plugin, "DllInitialize");
    auto proc = FunctionFrom<DLGPROC>(plugin, "RecipientDlgProc");
    if (entry == nullptr || proc == nullptr || GetProcAddress(plugin, "CommDlgProc") == nullptr) {
      return -101;
    }
    entry(plugin, 1, nullptr);
    unsigned char area[hsb::priv::kMinimumSize] = {};
    SetHostOptions(area, options);
    RecipientDialogParams params{&outcome.recipients, area};
    return DialogBoxParamW(plugin, MAKEINTRESOURCEW(kRecipientDialogId), nullptr, proc,
                           reinterpret_cast<LPARAM>(&params));
  });
}

}  // namespace tq::faxui::testing
