#include "faxui/addon_lookup.h"

namespace tq::faxui {

const AddOnControlBlock* GetFaxAddonMCB(const DeviceObject* device) { return FindFaxAddOn(device); }

unsigned char* GetAddOnBlock(void* settings, const AddOnControlBlock* mcb, int block) {
  if (settings == nullptr || mcb == nullptr) return nullptr;
  std::int32_t offset = 0;
  switch (block) {
    case 1: offset = mcb->block1Offset; break;
    case 2: offset = mcb->block2Offset; break;
    case 3: offset = mcb->block3Offset; break;
    default: return nullptr;
  }
  return static_cast<unsigned char*>(settings) + offset;
}

FaxOptionsBlock* GetFaxOptions(void* settings, const AddOnControlBlock* mcb) {
  return reinterpret_cast<FaxOptionsBlock*>(GetAddOnBlock(settings, mcb, 1));
}

FaxSendBlock* GetFaxSend(void* settings, const AddOnControlBlock* mcb) {
  return reinterpret_cast<FaxSendBlock*>(GetAddOnBlock(settings, mcb, 3));
}

}  // namespace tq::faxui
