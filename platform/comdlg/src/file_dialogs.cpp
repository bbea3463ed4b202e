// GetOpenFileNameW and GetSaveFileNameW: the face picks the file (a person
// in Qt, a script's `file` action headless); this side applies the flags,
// the default extension and the caller's buffer rules as Win32 does.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "win/comdlg.h"
#include "texts.h"
#include "win/face.h"
#include "win/text.h"
#include "win/transcript.h"

namespace {

thread_local DWORD extendedError = 0;

std::u16string FromWide(LPCWSTR text) { return text == nullptr ? std::u16string() : std::u16string(text); }

// "description\0pattern\0...\0\0" into pairs.
std::vector<std::pair<std::u16string, std::u16string>> ParseFilters(LPCWSTR filter) {
  std::vector<std::pair<std::u16string, std::u16string>> pairs;
  if (filter == nullptr) return pairs;
  while (*filter != 0) {
    std::u16string description = filter;
    filter += description.size() + 1;
    std::u16string pattern = filter;
    if (pattern.empty()) {
      pairs.emplace_back(std::move(description), std::move(pattern));
      break;
    }
    filter += pattern.size() + 1;
    pairs.emplace_back(std::move(description), std::move(pattern));
  }
  return pairs;
}

bool Exists(const std::string& path, struct stat* info) { return ::stat(path.c_str(), info) == 0; }

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

size_t NameStart(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"/\\");
  return slash == std::u16string::npos ? 0 : slash + 1;
}

// A name without an extension gets the default one.
std::u16string WithDefaultExtension(std::u16string path, const std::u16string& extension) {
  if (extension.empty()) return path;
  if (path.find(u'.', NameStart(path)) == std::u16string::npos) path += u"." + extension;
  return path;
}

// Why an answer cannot be taken, or empty when it can.
std::string Refusal(bool save, DWORD flags, const std::u16string& path) {
  const std::string native = tq::NativePath(path);
  struct stat info {};
  const bool exists = Exists(native, &info);
  if (exists && S_ISDIR(info.st_mode)) return "is a folder";
  if ((flags & OFN_PATHMUSTEXIST) || (flags & OFN_FILEMUSTEXIST)) {
    struct stat folder {};
    if (!Exists(Folder(native), &folder) || !S_ISDIR(folder.st_mode)) return "its folder does not exist";
  }
  if (!save && (flags & OFN_FILEMUSTEXIST) && !exists) return "does not exist";
  if ((flags & OFN_NOREADONLYRETURN) && exists && ::access(native.c_str(), W_OK) != 0) return "is read-only";
  return {};
}

BOOL RunFileDialog(LPOPENFILENAMEW ofn, bool save) {
  extendedError = 0;
  if (ofn == nullptr || ofn->lStructSize < offsetof(OPENFILENAMEW, pvReserved)) {
    extendedError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    extendedError = CDERR_INITIALIZATION;
    return FALSE;
  }
  tq::ui::FileDialogCall call;
  call.save = save;
  call.owner = ofn->hwndOwner;
  call.title = ofn->lpstrTitle != nullptr ? FromWide(ofn->lpstrTitle) : (save ? tq::comdlg::texts::kSaveAsTitle : tq::comdlg::texts::kOpenTitle);
  call.filters = ParseFilters(ofn->lpstrFilter);
  call.filterIndex = ofn->nFilterIndex > 0 ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
  call.initialDir = FromWide(ofn->lpstrInitialDir);
  call.fileName = FromWide(ofn->lpstrFile);
  call.defaultExt = FromWide(ofn->lpstrDefExt);
  call.flags = ofn->Flags;

  tq::ui::Face& face = tq::ui::CurrentFace();
  face.ModalStarting("file", 0, ofn->hwndOwner);
  const std::string line = std::string("file ") + (save ? "save " : "open ") + tq::ui::QuoteText(call.title) + " -> ";
  // The owner is disabled while the dialog is up, as for any modal window.
  const bool ownerWasEnabled = ofn->hwndOwner != nullptr && IsWindowEnabled(ofn->hwndOwner);
  if (ownerWasEnabled) EnableWindow(ofn->hwndOwner, FALSE);
  auto restore = [&] {
    if (ownerWasEnabled) EnableWindow(ofn->hwndOwner, TRUE);
  };
  std::u16string path;
  for (;;) {
    tq::ui::FileDialogAnswer answer = face.FileDialog(call);
    if (!answer.chosen) {
      tq::ui::WriteTranscript(line + "cancel");
      restore();
      return FALSE;
    }
    path = WithDefaultExtension(answer.path, call.defaultExt);
    // An answer the dialog itself would refuse leaves it open.
    if (!Refusal(save, ofn->Flags, path).empty()) continue;
    if (save && (ofn->Flags & OFN_OVERWRITEPROMPT)) {
      struct stat info {};
      if (Exists(tq::NativePath(path), &info)) {
        const std::u16string question = path.substr(NameStart(path)) + tq::comdlg::texts::kReplaceQuestion;
        if (MessageBoxW(ofn->hwndOwner, question.c_str(), call.title.c_str(), MB_YESNO | MB_ICONWARNING) != IDYES) continue;
      }
    }
    break;
  }
  tq::ui::WriteTranscript(line + tq::ui::QuoteText(path));
  restore();
  if (path.size() + 1 > ofn->nMaxFile) {
    // Too small: the first two characters hold the size needed.
    if (ofn->nMaxFile >= 2) *reinterpret_cast<WORD*>(ofn->lpstrFile) = static_cast<WORD>(path.size() + 1);
    extendedError = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::copy(path.begin(), path.end(), ofn->lpstrFile);
  ofn->lpstrFile[path.size()] = 0;
  const size_t nameStart = NameStart(path);
  const size_t dot = path.find_last_of(u'.');
  ofn->nFileOffset = static_cast<WORD>(nameStart);
  ofn->nFileExtension = static_cast<WORD>(dot == std::u16string::npos || dot < nameStart ? 0 : dot + 1);
  if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
    const std::u16string name = path.substr(nameStart);
    const size_t count = std::min<size_t>(name.size(), ofn->nMaxFileTitle - 1);
    std::copy_n(name.begin(), count, ofn->lpstrFileTitle);
    ofn->lpstrFileTitle[count] = 0;
  }
  if (!call.defaultExt.empty() && ofn->nFileExtension != 0 &&
      path.substr(ofn->nFileExtension) != call.defaultExt) {
    ofn->Flags |= OFN_EXTENSIONDIFFERENT;
  }
  return TRUE;
}

}  // namespace

extern "C" BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) { return RunFileDialog(ofn, false); }
extern "C" BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn) { return RunFileDialog(ofn, true); }
extern "C" DWORD CommDlgExtendedError() { return extendedError; }
