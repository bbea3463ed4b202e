// The add-on interface between the host driver and the two plug-ins: the
// add-on function table each plug-in returns from GetFuncTable, the host's
// device object with its add-on list, and the output object the write hook
// writes through.
//
// These structures hold addresses. They keep the field order the host reads;
// on a 32-bit build their offsets are the host's offsets exactly, on 64-bit
// the address slots are pointer-wide and the table's size field holds the
// table's real size. Only the host stand-in lays them out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/fax_job_settings.h"
#include "win/types.h"

namespace tq {

inline constexpr std::int32_t kAddOnInterfaceVersion = 1235;
inline constexpr std::int32_t kFaxAddOnId = 1388;

struct DeviceObject;
struct OutputObject;

using PropertyPagesHook = std::int32_t (*)(DeviceObject* device, void* pageSink, void* settings);
using WriteHook = void (*)(DeviceObject* device, OutputObject* output, void* settings, void* unused4,
                           std::int32_t addOnId, std::int32_t event, std::int32_t flag,
                           FaxOptionsBlock* options, void* unused9);
using DocumentEventHook = std::int32_t (*)(DeviceObject* device, HANDLE printer, HDC dc,
                                           std::int32_t event, std::uint32_t inSize, void* in,
                                           std::uint32_t outSize, void* out);
using UnusedHook = void*;

struct AddOnTable {
  std::int32_t version;          // 0: 1235
  std::int32_t size;             // 4: size of this table
  std::int32_t one;              // 8: 1
  std::int32_t addOnId;          // 12: 1388
  std::int32_t block1Size;       // 16: FaxOptionsBlock
  std::int32_t block2Size;       // 20: none
  std::int32_t block3Size;       // 24: FaxSendBlock
  const void* block1Defaults;    // 28: DefaultFaxDS
  const void* block2Defaults;    // 32: none
  const void* block3Defaults;    // 36: DefaultFaxSS
  UnusedHook unused40[4];        // 40..55
  PropertyPagesHook propertyPages;  // 56
  UnusedHook unused60;           // 60
  WriteHook write;               // 64
  UnusedHook unused68[2];        // 68, 72
  DocumentEventHook documentEvent;  // 76
  UnusedHook unused80[2];        // 80, 84
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(AddOnTable) == 88);
static_assert(offsetof(AddOnTable, block1Defaults) == 28);
static_assert(offsetof(AddOnTable, propertyPages) == 56);
static_assert(offsetof(AddOnTable, write) == 64);
static_assert(offsetof(AddOnTable, documentEvent) == 76);
#endif
static_assert(offsetof(AddOnTable, block3Size) == 24);

// The one table both plug-ins return, differing only in their hooks, so the
// identifier, the block sizes and the defaults cannot drift apart.
inline constexpr AddOnTable MakeFaxAddOnTable(const FaxOptionsBlock* defaultsDS,
                                              const FaxSendBlock* defaultsSS,
                                              PropertyPagesHook propertyPages, WriteHook write,
                                              DocumentEventHook documentEvent) {
  AddOnTable table{};
  table.version = kAddOnInterfaceVersion;
  table.size = static_cast<std::int32_t>(sizeof(AddOnTable));
  table.one = 1;
  table.addOnId = kFaxAddOnId;
  table.block1Size = static_cast<std::int32_t>(sizeof(FaxOptionsBlock));
  table.block2Size = 0;
  table.block3Size = static_cast<std::int32_t>(sizeof(FaxSendBlock));
  table.block1Defaults = defaultsDS;
  table.block2Defaults = nullptr;
  table.block3Defaults = defaultsSS;
  table.propertyPages = propertyPages;
  table.write = write;
  table.documentEvent = documentEvent;
  return table;
}

// One entry of the host's add-on list: 40 bytes on a 32-bit build.
struct AddOnControlBlock {
  std::int32_t reserved0[4];     // 0..15: the host's
  const AddOnTable* table;       // 16
  std::int32_t block1Offset;     // 20: from the start of the HostSettingsBlock
  std::int32_t block2Offset;     // 24
  std::int32_t block3Offset;     // 28
  std::int32_t reserved32[2];    // 32..39: the host's
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(AddOnControlBlock) == 40);
static_assert(offsetof(AddOnControlBlock, block3Offset) == 28);
#endif

inline constexpr int kMaxAddOns = 8;

// The host's device object, passed to every hook. The host's own fields
// stand in the reserved parts.
struct DeviceObject {
  std::int32_t reserved0[11];    // 0..43
  std::int32_t addOnCount;       // 44
  std::int32_t reserved48[9];    // 48..83
  const void* serviceTable;      // 84: the host's services (page framework)
  std::int32_t reserved88[33];   // 88..219
  AddOnControlBlock addOns[kMaxAddOns];  // 220
  void* host;                    // the host stand-in's own context
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(DeviceObject, addOnCount) == 44);
static_assert(offsetof(DeviceObject, serviceTable) == 84);
static_assert(offsetof(DeviceObject, addOns) == 220);
#endif

using OutputWrite = std::int32_t (*)(OutputObject* output, std::int32_t kind, const void* bytes,
                                     std::uint32_t count);

inline constexpr int kOutputDocNameSize = 64;

// The host's output object given to the write hook.
struct OutputObject {
  std::int32_t reserved0[16];    // 0..63
  OutputWrite write;             // 64: write(output, 1, bytes, count)
  std::int32_t reserved68[42];   // 68..235
  char docName[kOutputDocNameSize];  // 236: the job's document name
  void* host;                    // the host stand-in's own context
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(OutputObject, write) == 64);
static_assert(offsetof(OutputObject, docName) == 236);
#endif

// The first control block of the device's add-on list whose table carries
// `addOnId`, or null.
inline const AddOnControlBlock* FindAddOn(const DeviceObject* device, std::int32_t addOnId) {
  if (device == nullptr) return nullptr;
  const int count = device->addOnCount < 0 ? 0
                    : device->addOnCount > kMaxAddOns ? kMaxAddOns
                                                      : device->addOnCount;
  for (int i = 0; i < count; ++i) {
    const AddOnControlBlock& block = device->addOns[i];
    if (block.table != nullptr && block.table->addOnId == addOnId) return &block;
  }
  return nullptr;
}

// The fax add-on's control block, or null.
inline const AddOnControlBlock* FindFaxAddOn(const DeviceObject* device) { return FindAddOn(device, kFaxAddOnId); }

}  // namespace tq
