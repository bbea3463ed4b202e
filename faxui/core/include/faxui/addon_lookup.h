// Finding the fax add-on's own data: its control block in the host's add-on
// list and its blocks inside a HostSettingsBlock.
#pragma once

#include "common/addon_table.h"

namespace tq::faxui {

// The first control block of the device's add-on list whose table carries
// identifier 1388, or null; every hook does nothing more when it is null.
const AddOnControlBlock* GetFaxAddonMCB(const DeviceObject* device);

// The address of the fax add-on's block 1, 2 or 3 inside `settings`: the
// start of the block plus the offset the control block gives. Null for a
// null argument or another block number.
unsigned char* GetAddOnBlock(void* settings, const AddOnControlBlock* mcb, int block);

// Blocks 1 and 3 by their types.
FaxOptionsBlock* GetFaxOptions(void* settings, const AddOnControlBlock* mcb);
FaxSendBlock* GetFaxSend(void* settings, const AddOnControlBlock* mcb);

}  // namespace tq::faxui
