#include "run_import.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "file_imports.h"
#include "frame_dialogs.h"
#include "ids.h"
#include "import_run.h"
#include "import_result/result_file.h"
#include "texts.h"
#include "win/file_replace.h"
#include "win/kernel.h"
#include "win/library_folder.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::import {
namespace {

constexpr std::size_t kMaxOutputPath = 272;

#if defined(TELEQUILL_MODEL_P)
constexpr char16_t kHelpFileName[] = u"qlhelpp.HLP";
#else
constexpr char16_t kHelpFileName[] = u"qlhelpn.HLP";
#endif

// The help file lies beside the plug-in, in the folder of the project's
// libraries (the program's own folder in the build tree, not when installed).
std::u16string HelpPath() { return Utf8ToUtf16(kernel::LibraryFolder()) + u"/" + kHelpFileName; }

// The launching dialog: limits the import when it is the recipient dialog,
// and stays disabled until the run ends.
void TakeLauncher(ImportRun& run) {
  run.owner = GetForegroundWindow();
  if (run.owner == nullptr) return;
  run.limit = GetDlgItem(run.owner, kLauncherRecipientList) != nullptr ? kRecipientLimit : 0;
  EnableWindow(run.owner, FALSE);
}

void GiveLauncherBack(const ImportRun& run) {
  if (run.owner == nullptr) return;
  EnableWindow(run.owner, TRUE);
  SetForegroundWindow(run.owner);
  PostMessageW(run.owner, WM_COMMAND, run.source == kSpeedDialCsv ? kSpeedDialImported : kNamesImported, 0);
}

void ImportFromFile(ImportRun& run) {
  const bool speedDial = run.source == kSpeedDialCsv;
  const std::u16string path = ChooseImportFile(
      run, kCsvFilterString,
      speedDial ? text::kChooseSpeedDialTitle : text::kChooseCsvTitle);
  if (path.empty()) return;
  int rejected = 0;
  const int result = speedDial ? ImportSpeedDialCsv(run, path, rejected) : ImportCsv(run, path, run.source, rejected);
  if (result < 0) {
    run.ClearCandidates();
    ShowFileImportError(run, result, path);
    return;
  }
  run.total = result;
  run.valid = result;
  run.rejected = rejected;
}

// False (the user told, a line on standard error) when the result could
// not be written: the entries the user chose did not reach the dialog.
bool WriteResult(const ImportRun& run) {
  const DWORD error = run.source == kSpeedDialCsv ? WriteEntryRecordResult(run.outputPath, run.records)
                                                  : WriteNameNumberResult(run.outputPath, run.candidates);
  if (error == ERROR_SUCCESS) return true;
  std::fprintf(stderr, "qlimport: the result file %s cannot be written (%s)\n", Utf16ToUtf8(run.outputPath).c_str(),
               DescribeFileError(error).c_str());
  ShowMessage(run, text::kResultNotWritten, text::kRunCaption, MB_OK | MB_ICONERROR);
  return false;
}

void Warn(const ImportRun& run, std::u16string_view message) {
  ShowMessage(run, message, text::kRunCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace

std::u16string OutputPathOf(std::u16string_view commandLine) {
  const std::size_t blank = commandLine.find(u' ');
  return std::u16string(commandLine.substr(0, std::min(blank, kMaxOutputPath)));
}

namespace {

// False when the chosen entries could not be written.
bool ChooseAndHandBack(ImportRun& run) {
  bool written = true;
  const SourceOffer offer = AvailableSources();
  run.windowsBookLibrary = offer.windowsBookLibrary;
  run.source = ChooseSource(run, offer);
  switch (run.source) {
    case kMapi:
    case kWabChosenFile:
    case kWabDefaultFile:
      ImportFromAddressBook(run);
      break;
    case kCsvManual:
    case kCsvAutomatic:
    case kSpeedDialCsv:
      ImportFromFile(run);
      break;
    default:
      break;
  }
  if (run.source != kCancelled) {
    if (run.total == 0) {
      Warn(run, text::kNothingToImport);
    } else if (run.candidates.Empty()) {
      Warn(run, text::kNoFaxNumberFound);
    } else {
      if (run.limit > 0 && run.candidates.Count() > static_cast<std::size_t>(run.limit)) {
        run.candidates.Truncate(static_cast<std::size_t>(run.limit));
        if (run.records.size() > run.candidates.Count()) run.records.resize(run.candidates.Count());
      }
      if (ConfirmCandidates(run) && !run.outputPath.empty()) {
        written = WriteResult(run);
      } else {
        Warn(run, text::kNothingToImport);
      }
    }
  }
  return written;
}

}  // namespace

bool RunImport(std::u16string_view commandLine) {
  ImportRun run;
  bool written = true;
  run.outputPath = OutputPathOf(commandLine);
  TakeLauncher(run);
  run.helpPath = HelpPath();
  // Each step that allocates by the size of its input answers a lack of
  // memory with its own message; this is the last resort, so that the
  // launching dialog is told the import ended whatever happened.
  try {
    written = ChooseAndHandBack(run);
  } catch (const std::bad_alloc&) {
    run.ClearCandidates();
    run.records.shrink_to_fit();
    Warn(run, text::kNoMemoryForSelection);
  }
  GiveLauncherBack(run);
  return written;
}

}  // namespace tq::import
