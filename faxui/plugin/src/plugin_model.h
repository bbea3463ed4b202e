// The model the plug-in is built for, as entry.cpp knows it from the build;
// the resource script takes its model-dependent names from it.
#pragma once

#include "common/model.h"

namespace tq::faxui {

Model PluginModel();

}  // namespace tq::faxui
