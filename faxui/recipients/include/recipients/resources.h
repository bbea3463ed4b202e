// The recipients' part of the plug-in's resource script: the template of
// the recipient dialog (101).
#pragma once

#include "win/resource.h"

namespace tq::faxui {

res::ResourceScript RecipientResources();

}  // namespace tq::faxui
