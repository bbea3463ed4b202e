// The phonebook dialogs' part of the plug-in's resource script: templates
// 103, 105, 106, 107, 600 and 700 and the separator bitmap 103.
#pragma once

#include "win/resource.h"

namespace tq::faxui {

res::ResourceScript PhonebookDialogResources();

}  // namespace tq::faxui
