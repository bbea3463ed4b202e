// The print-time part of the plug-in's resource script: the template of the
// confirmation dialog (108).
#pragma once

#include "win/resource.h"

namespace tq::faxui {

res::ResourceScript PrintflowResources();

}  // namespace tq::faxui
