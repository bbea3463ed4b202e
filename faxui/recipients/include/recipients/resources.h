// The recipients' part of the plug-in's resource script: the templates of
// the recipient dialog (101) and the communication settings dialog (104)
// and the transmission mode strings.
#pragma once

#include "win/resource.h"

namespace tq::faxui {

res::ResourceScript RecipientResources();

}  // namespace tq::faxui
