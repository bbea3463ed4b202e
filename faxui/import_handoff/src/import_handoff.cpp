#include "faxui/import_handoff.h"

#include <cstdio>

#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "import_result/result_file.h"
#include "ipc/ipc.h"
#include "win/ansi_text.h"
#include "win/process.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::faxui {
namespace {

// What the Import application reads of its command line as the path.
constexpr std::size_t kMaxResultPath = 272;
constexpr DWORD kMaxModulePath = 4096;

std::u16string PluginPath() {
  char16_t path[kMaxModulePath] = {};
  const DWORD length = GetModuleFileNameW(ModuleInstance(), path, kMaxModulePath);
  return std::u16string(path, length < kMaxModulePath ? length : 0);
}

std::u16string ImportProgramName() {
  const char16_t* text = nullptr;
  const int length = LoadStringW(ModuleInstance(), kImportProgramString, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text != nullptr ? std::u16string(text, static_cast<std::size_t>(length)) : std::u16string();
}

// The result path reaches the Import application as the first blank-free
// token of its command line: a path that would arrive cut would have it
// write another file.
bool ReachesImportWhole(std::u16string_view resultPath) {
  return !resultPath.empty() && resultPath.size() <= kMaxResultPath && resultPath.find(u' ') == std::u16string_view::npos;
}

}  // namespace

ImportHandoff& PluginImportHandoff() {
  static ImportHandoff handoff;
  return handoff;
}

std::u16string ResultPathFor(std::u16string_view folder, const SYSTEMTIME& now) {
  char name[16];
  std::snprintf(name, sizeof name, "DB%02u%02u%02u.TMP", static_cast<unsigned>(now.wHour % 100),
                static_cast<unsigned>(now.wMinute % 100), static_cast<unsigned>(now.wSecond % 100));
  return std::u16string(folder) + u"/" + Utf8ToUtf16(name);
}

std::u16string ImportCommandLine(std::u16string_view pluginPath, std::u16string_view programName,
                                 std::u16string_view resultPath) {
  const std::size_t slash = pluginPath.find_last_of(u"/\\");
  std::u16string program(pluginPath.substr(0, slash == std::u16string_view::npos ? 0 : slash + 1));
  program += programName;
  if (program.find(u' ') != std::u16string::npos) program = u"\"" + program + u"\"";
  return program + u" " + std::u16string(resultPath);
}

UINT StartImport(ImportHandoff& handoff) {
  const std::string folder = ipc::PrivateRuntimeFolder();
  if (folder.empty()) return 0;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  handoff.resultPath = ResultPathFor(Utf8ToUtf16(folder), now);
  if (!ReachesImportWhole(handoff.resultPath)) return 0;
  const std::u16string programName = ImportProgramName();
  if (programName.empty()) return 0;
  bool lossy = false;
  const std::string commandLine =
      WideToAnsi(ImportCommandLine(PluginPath(), programName, handoff.resultPath), kNoLimit, 0, &lossy);
  if (lossy) return 0;
  return WinExec(commandLine.c_str(), SW_SHOW);
}

std::optional<std::vector<EntryRecord>> TakeImportedRecords(const ImportHandoff& handoff, int command) {
  if (handoff.resultPath.empty()) return std::nullopt;
  const import::ResultRecords form =
      command == pb::kImportDoneOther ? import::ResultRecords::EntryRecords : import::ResultRecords::NamesAndNumbers;
  import::TakenResult taken = import::TakeResultFile(handoff.resultPath, form);
  if (taken.status != import::TakenResult::Status::Read) return std::nullopt;
  return std::move(taken.records);
}

}  // namespace tq::faxui
