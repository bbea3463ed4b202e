// What the host driver offers the plug-in's property pages: the page sets
// and descriptors the plug-in hands over, the host's service table reached
// through the device object, the page record each page is created with and
// the document-properties context behind it.
//
// Like the add-on table these structures hold addresses: they keep the
// host's field order, their offsets are the host's exactly on a 32-bit build,
// and on 64-bit the address slots are pointer-wide. Only the host stand-in
// lays them out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/addon_table.h"
#include "win/types.h"

namespace tq {

using PageProc = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// (control identifier, help context) pairs ended by (0, 0), in the form
// WinHelp's HELP_WM_HELP and HELP_CONTEXTMENU read.
struct HelpPair {
  DWORD control;
  DWORD context;
};
static_assert(sizeof(HelpPair) == 8);

// One control of a page as the host describes it: fifteen 32-bit fields.
struct ControlDescription {
  std::int32_t kind;         // 0 text, 3 group box, 4 radio button, 7 check box, 24 push button
  std::int32_t control;
  std::int32_t stringId;     // its description in the plug-in's string table, 0 for none
  std::int32_t helpContext;
  std::int32_t zero[11];
};
static_assert(sizeof(ControlDescription) == 60);

// One page: twelve 32-bit fields on a 32-bit build.
struct PageDescriptor {
  std::int32_t templateId;
  std::int32_t kind;         // 3 or 1, the host's to interpret
  std::int32_t helpContext;
  std::int32_t zero;
  std::int32_t minusOne;     // -1
  const HelpPair* helpPairs;
  std::int32_t controlCount;
  const ControlDescription* controls;
  std::int32_t reserved[4];  // 0
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PageDescriptor) == 48);
#endif

struct PageSet {
  std::int32_t count;
  const PageDescriptor* pages;
};

struct DocumentPropertiesContext;

using AddPagesService = void (*)(void* pageSink, const PageSet* pages, std::int32_t zero, HINSTANCE instance,
                                 HINSTANCE resourceInstance, PageProc pageProc, std::int32_t, std::int32_t,
                                 std::int32_t);
// Makes the page's companion window; the host's first argument is its
// device object.
using CreateCompanionService = HWND (*)(DeviceObject* device, HWND page, HGLOBAL pageState);
// The host's look at a page message: WM_INITDIALOG (with 0) when a page
// state is made, and messages 4591 and 4592.
using PageMessageService = LRESULT (*)(HWND page, UINT message, LPARAM second);
using CommitService = void (*)(DocumentPropertiesContext* context);
using PropertiesNotify = void (*)(void* argument, std::int32_t code, std::int32_t, std::int32_t);

// The host's service table (device object, offset 84).
struct HostServiceTable {
  const void* reserved0[14];                  // 0..55
  AddPagesService addPages;                   // 56
  const void* reserved60;                     // 60
  CreateCompanionService createCompanion;     // 64
  const void* reserved68[12];                 // 68..115
  PageMessageService pageMessage;             // 116
  const void* reserved120[3];                 // 120..131
  CommitService commit;                       // 132
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(HostServiceTable, addPages) == 56);
static_assert(offsetof(HostServiceTable, createCompanion) == 64);
static_assert(offsetof(HostServiceTable, pageMessage) == 116);
static_assert(offsetof(HostServiceTable, commit) == 132);
#endif

// Messages of the host that pages pass to it before handling them.
inline constexpr UINT kHostPageMessageA = 0x11EF;  // 4591
inline constexpr UINT kHostPageMessageB = 0x11F0;  // 4592

// The mode byte's bits: 0x40 commit through the host, 0x01 or 0x02 copy
// the settings into the output buffer.
inline constexpr std::uint8_t kModeCommitThroughHost = 0x40;
inline constexpr std::uint8_t kModeCopyOut = 0x03;

// The host's context of one document-properties call.
struct DocumentPropertiesContext {
  std::int32_t reserved0[137];     // 0..547
  PropertiesNotify notify;         // 548
  void* notifyArgument;            // 552
  std::int32_t reserved556[6];     // 556..579
  std::int32_t notifyFlag;         // 580
  std::int32_t reserved584[18];    // 584..655
  DeviceObject* device;            // 656
  std::int32_t reserved660[6];     // 660..683
  std::int32_t settingsSize;       // 684
  std::int32_t reserved688[2];     // 688..695
  void* settings;                  // 696
  void* output;                    // 700: the caller's output settings buffer
  std::int32_t reserved704;        // 704
  std::uint8_t mode;               // 708
  std::uint8_t reserved709;        // 709
  std::uint8_t updateFlag[4];      // 710: 32-bit, not aligned
  std::uint8_t reserved714[2];     // 714..715
  void* host;                      // the host stand-in's own context

  std::int32_t UpdateFlag() const {
    std::int32_t value;
    std::memcpy(&value, updateFlag, sizeof value);
    return value;
  }
  void SetUpdateFlag(std::int32_t value) { std::memcpy(updateFlag, &value, sizeof value); }
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(DocumentPropertiesContext, notify) == 548);
static_assert(offsetof(DocumentPropertiesContext, notifyFlag) == 580);
static_assert(offsetof(DocumentPropertiesContext, device) == 656);
static_assert(offsetof(DocumentPropertiesContext, settingsSize) == 684);
static_assert(offsetof(DocumentPropertiesContext, settings) == 696);
static_assert(offsetof(DocumentPropertiesContext, output) == 700);
static_assert(offsetof(DocumentPropertiesContext, mode) == 708);
static_assert(offsetof(DocumentPropertiesContext, updateFlag) == 710);
#endif

// The host's record of one page it made from a page set; the page's
// PROPSHEETPAGEW carries its address as lParam.
struct HostPageRecord {
  std::int32_t reserved0[6];             // 0..23
  DocumentPropertiesContext* context;    // 24
  void* host;                            // the host stand-in's own context
};
static_assert(offsetof(HostPageRecord, context) == 24);

inline const HostServiceTable* ServicesOf(const DeviceObject* device) {
  return device == nullptr ? nullptr : static_cast<const HostServiceTable*>(device->serviceTable);
}

}  // namespace tq
