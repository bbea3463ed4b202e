// qlautocfg's resource script, registered as the program's own resources.
#pragma once

#include "win/resource.h"

namespace tq::autocfg {
extern const tq::res::ResourceScript kResourceScript;
}
