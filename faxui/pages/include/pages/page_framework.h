// The framework the plug-in's property pages run in: a state block per page
// window holding the host context, window messages and property-sheet
// notifications turned into numbered page events dispatched through a
// per-page table, the add-on's blocks found in the settings the page edits,
// their commit on apply, and context help.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/addon_table.h"
#include "common/host_pages.h"
#include "win/types.h"

namespace tq::faxui {

enum PageEvent : int {
  kEventInitialise = 0,
  kEventDrawItem = 1,
  kEventMeasureItem = 2,
  kEventCommand = 3,
  kEventPaint = 4,
  kEventEraseBackground = 5,
  kEventSetActive = 6,
  kEventKillActive = 7,
  kEventApply = 8,
  kEventReset = 10,
  kEventDestroy = 11,
};

// What a handler is given. For the command event `control` and `code` are
// the low and high words of the first parameter.
struct PageCall {
  HWND page = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  int control = 0;
  int code = 0;
};

using PageHandler = LRESULT (*)(const PageCall& call);

struct PageEventEntry {
  int event;
  PageHandler handler;
};

// The page procedure's whole work: returns the dialog procedure's result
// (notification results go through DWLP_MSGRESULT).
INT_PTR DispatchPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int count,
                            const PageEventEntry* table);

// ---- Page state -----------------------------------------------------------
inline constexpr const char16_t* kPageStateProperty = u"QUILLM";
inline constexpr const char16_t* kSheetSettingsProperty = u"PQ_UI_PS";
inline constexpr std::size_t kPageStateHeaderSize = 200;
inline constexpr int kFaceNameSize = 32;

// The header in front of a page's own data.
struct PageStateHeader {
  HINSTANCE instance;
  HINSTANCE templateInstance;  // the host's default when none was given
  const HostPageRecord* pageRecord;
  DocumentPropertiesContext* context;
  HWND page;
  HWND sheet;
  HWND companion;
  std::int32_t fontPointSize;
  char16_t fontName[kFaceNameSize];
  unsigned char reserved[kPageStateHeaderSize - 7 * sizeof(void*) - 4 - kFaceNameSize * 2 - 2 * sizeof(void*)];
  // The last two fields, directly before the page data.
  DeviceObject* device;
  void* settings;
};
static_assert(sizeof(PageStateHeader) == kPageStateHeaderSize);
static_assert(offsetof(PageStateHeader, settings) + sizeof(void*) == kPageStateHeaderSize);

// Makes the page's state (zero-filled, `dataSize` bytes of page data) from
// the creation parameter of WM_INITDIALOG (the page's PROPSHEETPAGEW, whose
// lParam is the host's page record), asks the host for the companion
// window, and returns the page data locked; null when there is no host page
// record or memory runs out. Unlock it when done.
void* CreatePageState(HWND page, std::size_t dataSize, HINSTANCE instance, HINSTANCE resourceInstance,
                      LPARAM creationParameter);
// The page data of a page window, locked; null without state.
void* LockPageState(HWND page);
void UnlockPageState(HWND page);
void DestroyPageState(HWND page);
// The header behind page data; null for null data.
PageStateHeader* HeaderOf(void* pageData);

// ---- Blocks and commit ---------------------------------------------------------
// The add-on's blocks 1, 2 and 3 in the settings the page edits (the
// sheet's "PQ_UI_PS" block when it has one). All null for null page data;
// unchanged when the table's identifier is not in the host's list; null for
// a block that does not lie inside the settings.
void FindBlocks(const AddOnTable* table, void* pageData, void** block1, void** block2, void** block3);

// Hands the edited settings to the host on apply.
void CommitSettings(void* pageData);

// ---- Help ---------------------------------------------------------------------
// The page whose help the framework serves: the one last painted.
struct PageHelp {
  int templateId;
  DWORD context;
  const HelpPair* pairs;
};
void SetShownPage(const PageHelp& help);
const PageHelp* ShownPage();

// A page marks itself changed with the sheet.
void MarkPageChanged(HWND page);

}  // namespace tq::faxui
