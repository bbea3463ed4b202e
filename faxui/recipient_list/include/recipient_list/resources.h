// The communication settings' part of the plug-in's resource script: the
// template of dialog 104 and the transmission mode strings.
#pragma once

#include "win/resource.h"

namespace tq::faxui {

res::ResourceScript CommResources();

}  // namespace tq::faxui
