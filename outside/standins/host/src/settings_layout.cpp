#include "host/settings_layout.h"

#include <cstring>

#include "common/host_settings.h"

namespace tq::host {

namespace {

constexpr std::size_t kPublicSize = 2048;
constexpr std::size_t kPrivateSize = 1024;
constexpr std::size_t kJobStateSize = 256;
static_assert(hsb::kDocumentMonitor + 4 <= kPublicSize);
static_assert(hsb::priv::kMinimumSize <= kPrivateSize);
static_assert(hsb::jobstate::kMinimumSize <= kJobStateSize);

constexpr std::size_t AlignUp(std::size_t value) { return (value + 7) & ~std::size_t{7}; }

}  // namespace

SettingsLayout LayoutFor(const AddOnTable& table) {
  SettingsLayout layout;
  layout.privateArea = kPublicSize;
  layout.jobState = layout.privateArea + kPrivateSize;
  layout.block1 = layout.jobState + kJobStateSize;
  layout.block2 = AlignUp(layout.block1 + static_cast<std::size_t>(table.block1Size));
  layout.block3 = AlignUp(layout.block2 + static_cast<std::size_t>(table.block2Size));
  layout.size = AlignUp(layout.block3 + static_cast<std::size_t>(table.block3Size));
  return layout;
}

SettingsBlock NewSettings(const AddOnTable& table, const SettingsLayout& layout) {
  SettingsBlock block(layout.size, 0);
  unsigned char* base = block.data();
  hsb::SetField(base, hsb::kPrivateAreaOffset, static_cast<int>(layout.privateArea));
  hsb::SetField(base, hsb::kJobStateOffset, static_cast<int>(layout.jobState));
  hsb::SetField(base, hsb::kJobMode, hsb::kJobModeFax);
  hsb::SetField(base, hsb::kCopies, 1);
  hsb::SetField(base, hsb::kOutputTray, 0);
  hsb::SetField(base, hsb::kDocumentMonitor, 0);
  unsigned char* privateArea = base + layout.privateArea;
  // The device collates copies itself: the copies rule may send a QTY line.
  WriteInt32(privateArea, hsb::priv::kCopiesFlag, 1);
  WriteInt32(privateArea, hsb::priv::kFaxFeature, 1);
  WriteInt32(privateArea, hsb::priv::kG4Option, 0);
  WriteInt32(privateArea, hsb::priv::kSpeedDialRange, 0);
  std::memcpy(base + layout.block1, table.block1Defaults, static_cast<std::size_t>(table.block1Size));
  if (table.block2Size > 0 && table.block2Defaults != nullptr) {
    std::memcpy(base + layout.block2, table.block2Defaults, static_cast<std::size_t>(table.block2Size));
  }
  std::memcpy(base + layout.block3, table.block3Defaults, static_cast<std::size_t>(table.block3Size));
  OptionsOf(block, layout)->jobMode = hsb::kJobModeFax;
  return block;
}

bool MatchesLayout(const SettingsBlock& block, const SettingsLayout& layout) {
  return block.size() == layout.size &&
         hsb::Field(block.data(), hsb::kPrivateAreaOffset) == static_cast<int>(layout.privateArea) &&
         hsb::Field(block.data(), hsb::kJobStateOffset) == static_cast<int>(layout.jobState);
}

FaxOptionsBlock* OptionsOf(SettingsBlock& block, const SettingsLayout& layout) {
  return reinterpret_cast<FaxOptionsBlock*>(block.data() + layout.block1);
}
const FaxOptionsBlock* OptionsOf(const SettingsBlock& block, const SettingsLayout& layout) {
  return reinterpret_cast<const FaxOptionsBlock*>(block.data() + layout.block1);
}
FaxSendBlock* SendOf(SettingsBlock& block, const SettingsLayout& layout) {
  return reinterpret_cast<FaxSendBlock*>(block.data() + layout.block3);
}
const FaxSendBlock* SendOf(const SettingsBlock& block, const SettingsLayout& layout) {
  return reinterpret_cast<const FaxSendBlock*>(block.data() + layout.block3);
}

AddOnControlBlock ControlBlockFor(const AddOnTable* table, const SettingsLayout& layout) {
  AddOnControlBlock mcb{};
  mcb.table = table;
  mcb.block1Offset = static_cast<std::int32_t>(layout.block1);
  mcb.block2Offset = static_cast<std::int32_t>(layout.block2);
  mcb.block3Offset = static_cast<std::int32_t>(layout.block3);
  return mcb;
}

}  // namespace tq::host
