// The open-file dialog of the file imports and the messages of their
// negative codes.
#include <algorithm>

#include "import/csv_split.h"
#include "file_imports.h"
#include "texts.h"
#include "win/comdlg.h"
#include "win/user.h"

namespace tq::import {

std::u16string ChooseImportFile(const ImportRun& run, UINT filterString, std::u16string_view title) {
  char16_t filter[256] = {};
  const int length = LoadStringW(nullptr, filterString, filter, 255);
  // The string's last character separates its parts.
  if (length > 0) std::replace(filter, filter + length, filter[length - 1], u'\0');
  char16_t path[256] = {};
  const std::u16string caption(title);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = run.owner;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path;
  ofn.nMaxFile = 256;
  ofn.lpstrTitle = caption.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
  if (!GetOpenFileNameW(&ofn)) return {};
  return path;
}

void ShowFileImportError(const ImportRun& run, int code, std::u16string_view path) {
  std::u16string_view format;
  switch (code) {
    case kBadSpeedDialHeader:
      format = text::kBadSpeedDialFormat;
      break;
    case kUnclosedQuote:
      format = text::kBadCsvFormat;
      break;
    case kNoFaxColumn:
      format = text::kNoFaxColumn;
      break;
    case kNoMemory:
      format = text::kFileNoMemory;
      break;
    default:
      format = text::kFileUnreadable;
      break;
  }
  ShowMessage(run, FormatText(format, {path}), text::kFileErrorCaption, MB_OK | MB_ICONERROR);
}

}  // namespace tq::import
