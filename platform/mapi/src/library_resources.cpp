// The resource script each address book library exports: the address dialog.
#include "address_dialog.h"

TQ_RESOURCE_SCRIPT(tq::mapi::kAddressDialogScript)
