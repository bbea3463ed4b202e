#include "scripted_dialog.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/host_settings.h"
#include "faxui/module_instance.h"
#include "recipient_list/comm_dialog.h"
#include "recipient_list/resources.h"
#include "recipients/recipient_dialog.h"
#include "recipients/resources.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui::testing {

namespace {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x7e57));

// The two dialogs' templates and the mode strings, gathered at first use.
const tq::res::ResourceScript& Script() {
  static const tq::res::GatheredScript gathered{RecipientResources(), CommResources()};
  return gathered.script();
}

struct ChildOutcome {
  long long result;
  RecipientList recipients;
  EntryRecord record;
};

template <typename Body>
DialogRun RunInChild(const std::filesystem::path& folder, const std::string& script, Body body) {
  const std::filesystem::path scriptPath = folder / "dialog.script";
  const std::filesystem::path transcriptPath = folder / "transcript.txt";
  const std::filesystem::path outcomePath = folder / "outcome.bin";
  tq::testing::WriteText(scriptPath, script);
  std::filesystem::remove(transcriptPath);
  std::filesystem::remove(outcomePath);

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(60);  // a run that hangs ends the child instead of the suite
    setenv("TELEQUILL_TRANSCRIPT", transcriptPath.c_str(), 1);
    if (!tq::ui::UseFace("script:" + scriptPath.string())) _exit(2);
    tq::res::RegisterResources(kInstance, Script());
    SetModuleInstance(kInstance);
    auto* outcome = new ChildOutcome{};
    outcome->result = body(*outcome);
    std::ofstream out(outcomePath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(outcome), sizeof *outcome);
    out.close();
    _exit(0);
  }
  DialogRun run;
  int status = 0;
  waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.transcript = tq::testing::ReadText(transcriptPath);
  if (std::filesystem::exists(outcomePath)) {
    const std::vector<unsigned char> bytes = tq::testing::ReadBytes(outcomePath);
    if (bytes.size() == sizeof(ChildOutcome)) {
      ChildOutcome outcome;
      std::memcpy(&outcome, bytes.data(), sizeof outcome);
      run.result = outcome.result;
      run.recipients = outcome.recipients;
      run.record = outcome.record;
    }
  }
  return run;
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
  return RunInChild(folder, script, [&](ChildOutcome& outcome) -> long long {
    unsigned char area[hsb::priv::kMinimumSize] = {};
    SetHostOptions(area, options);
    RecipientDialogParams params{&outcome.recipients, area};
    return DialogBoxParamW(kInstance, MAKEINTRESOURCEW(kRecipientDialogId), nullptr, RecipientDlgProc,
                           reinterpret_cast<LPARAM>(&params));
  });
}

DialogRun RunPluginRecipientDialog(const std::filesystem::path& folder, const std::string& script,
                                   const std::string& pluginFile, HostOptions options) {
  return RunInChild(folder, script, [&](ChildOutcome& outcome) -> long long {
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

DialogRun RunCommDialog(const std::filesystem::path& folder, const std::string& script,
                        const EntryRecord& record, bool ownedByRecipientDialog, bool g4Available) {
  return RunInChild(folder, script, [&](ChildOutcome& outcome) -> long long {
    outcome.record = record;
    HWND owner = nullptr;
    if (ownedByRecipientDialog) {
      owner = CreateDialogParamW(kInstance, MAKEINTRESOURCEW(kRecipientDialogId), nullptr, nullptr, 0);
    }
    CommDialogParams params{&outcome.record, g4Available};
    return DialogBoxParamW(kInstance, MAKEINTRESOURCEW(kCommDialogId), owner, CommDlgProc,
                           reinterpret_cast<LPARAM>(&params));
  });
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace tq::faxui::testing
