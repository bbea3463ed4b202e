// Starting and closing the two address books around the address dialog.
#include "addressbook/address_book_import.h"
#include "texts.h"
#include "win/ansi_text.h"
#include "win/kernel.h"
#include "win/registry.h"
#include "win/user.h"

namespace tq::import {
namespace {

constexpr ULONG kLogonFlags = MAPI_LOGON_UI | MAPI_EXTENDED | MAPI_NO_MAIL;

void FreeAddressList(LPADRLIST list, const BookAllocator& allocator) {
  if (list == nullptr) return;
  for (ULONG i = 0; i < list->cEntries; ++i) allocator.free(list->aEntries[i].rgPropVals);
  allocator.free(list);
}

// The address dialog, then the extraction of what was picked.
void PickAndExtract(HWND launcher, IAddrBook& book, const BookAllocator& allocator, CandidateList& candidates,
                    ImportCounters& counters, const ExtractionHooks& hooks) {
  std::string caption = WideToAnsi(text::kDialogCaption);
  std::string newEntry = WideToAnsi(text::kNewEntryTitle);
  std::string wells = WideToAnsi(text::kWellsTitle);
  std::string to = WideToAnsi(text::kToTitle);
  LPSTR titles[] = {to.data()};
  ULONG types[] = {MAPI_TO};
  ADRPARM parameters{};
  parameters.ulFlags = DIALOG_MODAL;
  parameters.lpszCaption = caption.data();
  parameters.lpszNewEntryTitle = newEntry.data();
  parameters.lpszDestWellsTitle = wells.data();
  parameters.cDestFields = 1;
  parameters.nDestFieldFocus = 0;
  parameters.lppszDestTitles = titles;
  parameters.lpulDestComps = types;
  ULONG_PTR window = reinterpret_cast<ULONG_PTR>(launcher);
  LPADRLIST list = nullptr;
  HRESULT result = book.Address(&window, &parameters, &list);
  if (!FAILED(result) && list != nullptr && list->cEntries > 0) {
    if (hooks.started) hooks.started();
    ExtractPicked(book, allocator, *list, candidates, counters);
    if (hooks.finished) hooks.finished();
  }
  FreeAddressList(list, allocator);
}

template <class Function>
Function Proc(HMODULE module, const char* name) {
  // Through void*: the exports have their own signatures, not FARPROC's.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::u16string Format(std::u16string_view pattern, std::u16string_view argument) {
  std::u16string out(pattern);
  if (std::size_t at = out.find(u"%s"); at != std::u16string::npos) out.replace(at, 2, argument);
  return out;
}

}  // namespace

void ImportFromMessagingBook(HWND launcher, CandidateList& candidates, ImportCounters& counters,
                             const ExtractionHooks& hooks) {
  HMODULE library = LoadLibraryW(u"MAPI32.DLL");
  if (library == nullptr) {
    MessageBoxW(launcher, text::kMapiMissing, text::kMapiCaption, MB_OK | MB_ICONERROR);
    return;
  }
  auto initialize = Proc<LPMAPIINITIALIZE>(library, "MAPIInitialize");
  auto logon = Proc<LPMAPILOGONEX>(library, "MAPILogonEx");
  auto allocate = Proc<LPMAPIALLOCATEBUFFER>(library, "MAPIAllocateBuffer");
  auto release = Proc<LPMAPIFREEBUFFER>(library, "MAPIFreeBuffer");
  auto uninitialize = Proc<LPMAPIUNINITIALIZE>(library, "MAPIUninitialize");
  if (initialize == nullptr || logon == nullptr || allocate == nullptr || release == nullptr ||
      uninitialize == nullptr) {
    // A library without the messaging calls is no messaging library.
    FreeLibrary(library);
    MessageBoxW(launcher, text::kMapiMissing, text::kMapiCaption, MB_OK | MB_ICONERROR);
    return;
  }
  (void)initialize(nullptr);
  IMAPISession* session = nullptr;
  IAddrBook* book = nullptr;
  const ULONG_PTR window = reinterpret_cast<ULONG_PTR>(launcher);
  if (!FAILED(logon(window, nullptr, nullptr, kLogonFlags, &session)) && session != nullptr) {
    if (!FAILED(session->OpenAddressBook(window, nullptr, 0, &book)) && book != nullptr) {
      BookAllocator allocator{allocate, release};
      PickAndExtract(launcher, *book, allocator, candidates, counters, hooks);
      book->Release();
    }
    session->Logoff(window, MAPI_LOGOFF_UI, 0);
    session->Release();
  }
  uninitialize();
  FreeLibrary(library);
}

void ImportFromWindowsBook(HWND launcher, const std::u16string& libraryPath, const std::string& file,
                           CandidateList& candidates, ImportCounters& counters, const ExtractionHooks& hooks) {
  HMODULE library = LoadLibraryW(libraryPath.empty() ? u"WAB32.DLL" : libraryPath.c_str());
  auto open = library != nullptr ? Proc<LPWABOPEN>(library, "WABOpen") : nullptr;
  IAddrBook* book = nullptr;
  IWABObject* wab = nullptr;
  std::string name = file;
  // The block is 16 bytes on the 32-bit build; its size field says what it is.
  WAB_PARAM parameters{static_cast<ULONG>(sizeof(WAB_PARAM)), nullptr, name.data(), 0};
  if (open == nullptr || open(&book, &wab, &parameters, 0) != S_OK || book == nullptr || wab == nullptr) {
    if (book != nullptr) book->Release();
    if (wab != nullptr) wab->Release();
    if (library != nullptr) FreeLibrary(library);
    std::u16string where = file.empty() ? std::u16string(text::kWabDefaultFile) : AnsiToWide(file);
    MessageBoxW(launcher, Format(text::kWabFailed, where).c_str(), text::kWabCaption, MB_OK | MB_ICONERROR);
    return;
  }
  BookAllocator allocator{[wab](ULONG size, LPVOID* buffer) { return wab->AllocateBuffer(size, buffer); },
                          [wab](LPVOID buffer) { return static_cast<ULONG>(wab->FreeBuffer(buffer)); }};
  PickAndExtract(launcher, *book, allocator, candidates, counters, hooks);
  book->Release();
  wab->Release();
  FreeLibrary(library);
}

bool MessagingBookOffered() { return GetProfileIntA("Mail", "MAPIX", 0) == 1; }

std::u16string LoadableWindowsBookLibrary() {
  std::u16string path;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\WAB\\DLLPath", 0, KEY_READ, &key) == ERROR_SUCCESS) {
    char16_t value[274] = {};
    DWORD size = sizeof value - sizeof(char16_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      path = value;
    }
    RegCloseKey(key);
  }
  if (path.empty()) path = u"WAB32.DLL";
  HMODULE library = LoadLibraryW(path.c_str());
  if (library == nullptr) return {};
  FreeLibrary(library);
  return path;
}

}  // namespace tq::import
