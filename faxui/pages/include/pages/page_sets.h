// The help of each page as the framework serves it.
#pragma once

#include "pages/page_framework.h"

namespace tq::faxui {

PageHelp OptionsPageHelp();
PageHelp AboutPageHelp();

}  // namespace tq::faxui
