// Finding the add-on's blocks in the settings a page edits, and handing the
// edited settings back to the host on apply.
#include <cstring>
#include <initializer_list>

#include "common/byte_order.h"
#include "pages/page_framework.h"
#include "win/global_memory.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

// The sheet's own settings block: the bytes from 192 plus the 32-bit value
// at 188 of the block under "PQ_UI_PS".
constexpr std::size_t kSheetOffsetField = 188;
constexpr std::size_t kSheetSettingsStart = 192;

struct Settings {
  unsigned char* bytes = nullptr;
  std::size_t size = 0;
};

Settings SheetSettings(HGLOBAL memory) {
  Settings settings;
  const std::size_t total = GlobalSize(memory);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
  if (bytes == nullptr) return settings;
  GlobalUnlock(memory);  // the block does not move; the address stays good
  if (total < kSheetSettingsStart) return settings;
  const std::int32_t offset = ReadInt32(bytes, kSheetOffsetField);
  if (offset < 0 || kSheetSettingsStart + static_cast<std::size_t>(offset) > total) return settings;
  settings.bytes = bytes + kSheetSettingsStart + offset;
  settings.size = total - kSheetSettingsStart - static_cast<std::size_t>(offset);
  return settings;
}

Settings SettingsOf(const PageStateHeader& header) {
  if (header.sheet != nullptr) {
    if (const HGLOBAL memory = GetPropW(header.sheet, kSheetSettingsProperty)) return SheetSettings(memory);
  }
  Settings settings;
  if (header.context == nullptr || header.settings == nullptr || header.context->settingsSize < 0) return settings;
  settings.bytes = static_cast<unsigned char*>(header.settings);
  settings.size = static_cast<std::size_t>(header.context->settingsSize);
  return settings;
}

void* BlockAt(const Settings& settings, std::int32_t offset, std::int32_t size) {
  if (settings.bytes == nullptr || offset < 0 || size < 0) return nullptr;
  if (static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > settings.size) return nullptr;
  return settings.bytes + offset;
}

}  // namespace

void FindBlocks(const AddOnTable* table, void* pageData, void** block1, void** block2, void** block3) {
  if (pageData == nullptr) {
    for (void** result : {block1, block2, block3}) {
      if (result != nullptr) *result = nullptr;
    }
    return;
  }
  const PageStateHeader* header = HeaderOf(pageData);
  if (table == nullptr) return;
  const AddOnControlBlock* mcb = FindAddOn(header->device, table->addOnId);
  if (mcb == nullptr) return;
  const Settings settings = SettingsOf(*header);
  if (block1 != nullptr) *block1 = BlockAt(settings, mcb->block1Offset, table->block1Size);
  if (block2 != nullptr) *block2 = BlockAt(settings, mcb->block2Offset, table->block2Size);
  if (block3 != nullptr) *block3 = BlockAt(settings, mcb->block3Offset, table->block3Size);
}

void CommitSettings(void* pageData) {
  const PageStateHeader* header = HeaderOf(pageData);
  if (header == nullptr || header->context == nullptr) return;
  if (header->sheet != nullptr && GetPropW(header->sheet, kSheetSettingsProperty) != nullptr) return;
  DocumentPropertiesContext* context = header->context;
  if (context->UpdateFlag() != 0 && (context->mode & kModeCommitThroughHost) != 0) {
    if (const HostServiceTable* services = ServicesOf(context->device); services != nullptr && services->commit) {
      services->commit(context);
    }
    if (context->notifyFlag != 0 && context->notify != nullptr) context->notify(context->notifyArgument, 9, 0, 1);
  }
  if ((context->mode & kModeCopyOut) != 0 && context->output != nullptr && context->settings != nullptr &&
      context->settingsSize > 0) {
    std::memcpy(context->output, context->settings, static_cast<std::size_t>(context->settingsSize));
  }
}

}  // namespace tq::faxui
