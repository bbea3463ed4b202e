// Choosing phonebook files: the file dialog, the conversion offer, locating
// with the user's answers, and the dialog's New, Open and Save As.
#include <string>

#include "common/ansi_slots.h"
#include "dialogs/list_lines.h"
#include "dialogs/messages.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/conversion.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/reading.h"
#include "phonebook/texts.h"
#include "phonebook/updates.h"
#include "win/comdlg.h"
#include "win/kernel.h"
#include "win/user.h"

namespace tq::phonebook {

namespace {

constexpr std::u16string_view kSaveConversionCaption = texts::kSaveConversionTitle;

using faxui::ShowMessage;

bool Exists(std::u16string_view path) {
  std::u16string name(path);
  return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string WithAfdExtension(std::u16string name) {
  if (!EndsInAfd(name)) name.append(u".AFD");
  return name;
}

// The filter string with its separator (its last character) turned into
// terminators: one description and pattern pair. Empty (no filter) when the
// string is missing.
std::u16string FilterPairs() {
  std::u16string filter = faxui::PluginString(faxui::kPhonebookFilterString);
  if (filter.empty()) return filter;
  char16_t separator = filter.back();
  for (char16_t& c : filter) {
    if (c == separator) c = u'\0';
  }
  filter.push_back(u'\0');
  return filter;
}

std::u16string InitialFolder(const CurrentPhonebook& current) {
  std::size_t slash = current.path.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return WindowsDirectoryWithSeparator();
  return current.path.substr(0, slash + 1);
}

// Asks for a name for a new file until the user gives one that is free or
// may be replaced; none on Cancel.
std::optional<std::u16string> ChooseNameToWrite(HWND owner, const CurrentPhonebook& current, FilePurpose purpose,
                                                std::u16string_view caption, UINT modality,
                                                const std::function<bool(const std::u16string&)>& stop = {}) {
  for (;;) {
    std::optional<std::u16string> chosen = ChoosePhonebookFile(owner, current, purpose);
    if (!chosen) return std::nullopt;
    std::u16string name = WithAfdExtension(*chosen);
    if (stop && stop(name)) return std::nullopt;
    if (!Exists(name)) return name;
    if (ShowMessage(owner, name + texts::kReplaceFileQuestion, caption,
            MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION | modality) == IDYES) {
      return name;
    }
  }
}

// The individuals written during a conversion, kept in the owner's hidden
// list box 1023 as the dialogs do.
class ListBoxLines final : public ConvertedLines {
 public:
  explicit ListBoxLines(HWND list) : list_(list) {}
  Recorded Record(std::u16string_view line) override {
    std::u16string text(line);
    LPARAM pointer = reinterpret_cast<LPARAM>(text.c_str());
    LRESULT found = SendMessageW(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), pointer);
    if (found == LB_ERR) {
      SendMessageW(list_, LB_ADDSTRING, 0, pointer);
      return {true, text};
    }
    return {false, faxui::ListLine(list_, static_cast<int>(found))};
  }
  void Clear() override { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

 private:
  HWND list_;
};

void SetDialogCaption(HWND dialog, const CurrentPhonebook& current) {
  std::u16string caption = texts::kPhonebookCaptionPrefix + current.path;
  SetWindowTextW(dialog, caption.c_str());
}

}  // namespace

std::optional<std::u16string> ChoosePhonebookFile(HWND owner, const CurrentPhonebook& current, FilePurpose purpose) {
  static constexpr const char16_t* kTitles[] = {texts::kNewTitle, texts::kOpenTitle, texts::kSaveAsTitle,
                                                texts::kSaveConversionTitle};
  std::u16string filter = FilterPairs();
  std::u16string folder = InitialFolder(current);
  char16_t name[kMaxPathLength + 1] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = kMaxPathLength;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = kTitles[static_cast<int>(purpose)];
  // The layer adds the dot itself, as the Win32 dialog does.
  ofn.lpstrDefExt = u"AFD";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NONETWORKBUTTON | OFN_LONGNAMES;
  BOOL chosen;
  if (purpose == FilePurpose::Open) {
    ofn.Flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&ofn);
  } else {
    chosen = GetSaveFileNameW(&ofn);
  }
  if (!chosen) return std::nullopt;
  return std::u16string(name);
}

std::optional<std::u16string> OfferConversion(HWND owner, const CurrentPhonebook& current,
                                              std::u16string_view oldPath, StoreResult version) {
  std::u16string question = std::u16string(oldPath) + texts::kConversionQuestion;
  if (ShowMessage(owner, question, texts::kConversionCaption, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) != IDYES) {
    return std::nullopt;
  }
  std::optional<std::u16string> target =
      ChooseNameToWrite(owner, current, FilePurpose::SaveConversion, kSaveConversionCaption, MB_SYSTEMMODAL);
  if (!target) return std::nullopt;

  ListBoxLines lines(GetDlgItem(owner, faxui::kScratchList));
  lines.Clear();
  StoreResult result = ConvertOldPhonebook(oldPath, *target, version, lines);
  lines.Clear();
  switch (result) {
    case StoreResult::Ok: return target;
    case StoreResult::NoMemory:
      ShowMessage(owner, texts::kSaveAsNoMemory, kSaveConversionCaption,
          MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
      break;
    case StoreResult::WriteFailed:
      ShowMessage(owner, texts::kSaveAsNoDiskSpace,
          kSaveConversionCaption, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
      break;
    default:
      // The old file went away or changed between the question and now.
      ShowFileError(owner, oldPath, kSaveConversionCaption,
                    result == StoreResult::CannotOpen ? FileErrorKind::CannotAccess : FileErrorKind::BadFormat);
      break;
  }
  return std::nullopt;
}

bool LocateCurrentPhonebook(HWND owner, CurrentPhonebook& current) {
  return LocateCurrentPhonebook(current, [&](std::u16string_view oldPath, StoreResult version) {
    return OfferConversion(owner, current, oldPath, version);
  });
}

void SwitchPhonebook(HWND dialog, CurrentPhonebook& current, std::u16string_view path, const RefreshDialog& refresh) {
  SetCurrentPhonebook(current, path);
  current.unavailable = !ValidateCurrentPhonebook(dialog, current.path);
  if (refresh) refresh();
}

void NewPhonebook(HWND dialog, CurrentPhonebook& current, const RefreshDialog& refresh) {
  std::optional<std::u16string> name = ChooseNameToWrite(dialog, current, FilePurpose::New, texts::kNewTitle, 0);
  if (!name) return;
  if (CreateEmptyPhonebook(*name) != StoreResult::Ok) {
    // In use by another program, or the folder cannot be written: the
    // current phonebook stays.
    ShowFileError(dialog, *name, texts::kNewTitle, FileErrorKind::CannotAccess);
    return;
  }
  SwitchPhonebook(dialog, current, *name, refresh);
}

void OpenPhonebook(HWND dialog, CurrentPhonebook& current, const RefreshDialog& refresh) {
  std::optional<std::u16string> chosen = ChoosePhonebookFile(dialog, current, FilePurpose::Open);
  if (!chosen) return;
  std::u16string name = *chosen;
  if (!EndsInAfd(name) && Exists(name + u".AFD")) name += u".AFD";
  if (!current.unavailable && SamePath(name, current.path)) return;
  StoreResult version = CheckVersion(name);
  if (version == StoreResult::Version0000 || version == StoreResult::Version1000) {
    std::optional<std::u16string> converted = OfferConversion(dialog, current, name, version);
    if (!converted) return;
    name = *converted;
  } else if (version != StoreResult::Ok) {
    // A file held by another program is not of a bad format: say so.
    ShowFileError(dialog, name, texts::kOpenTitle,
                  version == StoreResult::CannotOpen ? FileErrorKind::CannotAccess : FileErrorKind::BadFormat);
    return;
  }
  SwitchPhonebook(dialog, current, name, refresh);
}

void SavePhonebookAs(HWND dialog, CurrentPhonebook& current) {
  std::optional<std::u16string> name =
      ChooseNameToWrite(dialog, current, FilePurpose::SaveAs, texts::kSaveAsTitle, 0,
                        [&](const std::u16string& candidate) {
                          return !current.unavailable && SamePath(candidate, current.path);
                        });
  if (!name) return;
  std::u16string from = current.path;
  if (!CopyFileW(from.c_str(), name->c_str(), FALSE)) {
    ShowMessage(dialog, texts::kCopyFailed, texts::kSaveAsTitle, MB_OK | MB_ICONERROR);
    return;
  }
  SetCurrentPhonebook(current, *name);
  SetDialogCaption(dialog, current);
}

}  // namespace tq::phonebook
