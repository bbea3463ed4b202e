// The state block of a page window: one movable global block under the
// window property "QUILLM", a 200-byte header followed by the page's data.
// Routines pass the data's address around and reach the header backwards.
#include <algorithm>

#include "pages/page_framework.h"
#include "win/global_memory.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

// The system font, 16 pixels high at 96 dots an inch, for pages whose
// template names no font of its own.
constexpr int kSystemFontHeight = 16;
constexpr int kScreenDotsPerInch = 96;
constexpr char16_t kSystemFontName[] = u"System";

const HostPageRecord* PageRecordOf(LPARAM creationParameter) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(creationParameter);
  if (sheetPage == nullptr) return nullptr;
  return reinterpret_cast<const HostPageRecord*>(sheetPage->lParam);
}

void TakeTemplateFont(PageStateHeader& header, LPARAM creationParameter) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(creationParameter);
  const res::DialogTemplate* dialogTemplate =
      (sheetPage->dwFlags & PSP_DLGINDIRECT) ? static_cast<const res::DialogTemplate*>(sheetPage->pResource)
                                             : res::FindDialog(header.templateInstance, sheetPage->pszTemplate);
  const char16_t* name = kSystemFontName;
  header.fontPointSize = kSystemFontHeight * 72 / kScreenDotsPerInch;
  if (dialogTemplate != nullptr && dialogTemplate->fontName != nullptr && dialogTemplate->fontName[0] != 0) {
    name = dialogTemplate->fontName;
    header.fontPointSize = dialogTemplate->fontPointSize;
  }
  int i = 0;
  for (; i < kFaceNameSize - 1 && name[i] != 0; ++i) header.fontName[i] = name[i];
  header.fontName[i] = 0;
}

}  // namespace

PageStateHeader* HeaderOf(void* pageData) {
  if (pageData == nullptr) return nullptr;
  return reinterpret_cast<PageStateHeader*>(static_cast<unsigned char*>(pageData) - kPageStateHeaderSize);
}

void* CreatePageState(HWND page, std::size_t dataSize, HINSTANCE instance, HINSTANCE resourceInstance,
                      LPARAM creationParameter) {
  const HostPageRecord* record = PageRecordOf(creationParameter);
  if (record == nullptr) return nullptr;
  const HGLOBAL memory = GlobalAlloc(GHND, kPageStateHeaderSize + dataSize);
  if (memory == nullptr) return nullptr;
  auto* header = static_cast<PageStateHeader*>(GlobalLock(memory));
  SetPropW(page, kPageStateProperty, memory);
  header->instance = instance;
  header->templateInstance = resourceInstance != nullptr ? resourceInstance : instance;
  header->pageRecord = record;
  header->context = record->context;
  header->page = page;
  header->sheet = GetParent(page);
  TakeTemplateFont(*header, creationParameter);
  if (header->context != nullptr) {
    header->device = header->context->device;
    header->settings = header->context->settings;
  }
  if (const HostServiceTable* services = ServicesOf(header->device)) {
    if (services->createCompanion != nullptr) header->companion = services->createCompanion(header->device, page, memory);
    if (services->pageMessage != nullptr) services->pageMessage(page, WM_INITDIALOG, 0);
  }
  return reinterpret_cast<unsigned char*>(header) + kPageStateHeaderSize;
}

void* LockPageState(HWND page) {
  const HGLOBAL memory = GetPropW(page, kPageStateProperty);
  if (memory == nullptr) return nullptr;
  auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
  return bytes == nullptr ? nullptr : bytes + kPageStateHeaderSize;
}

void UnlockPageState(HWND page) {
  if (const HGLOBAL memory = GetPropW(page, kPageStateProperty)) GlobalUnlock(memory);
}

void DestroyPageState(HWND page) {
  const HGLOBAL memory = GetPropW(page, kPageStateProperty);
  if (memory != nullptr) {
    if (auto* header = static_cast<PageStateHeader*>(GlobalLock(memory))) {
      if (header->companion != nullptr && IsWindow(header->companion)) DestroyWindow(header->companion);
      GlobalUnlock(memory);
    }
    while (GlobalUnlock(memory)) {
    }
    GlobalFree(memory);
    RemovePropW(page, kPageStateProperty);
  }
  if (GetPropW(page, kSheetSettingsProperty) != nullptr) RemovePropW(page, kSheetSettingsProperty);
}

}  // namespace tq::faxui
