// The library's resource script, gathered from its parts at first use.
#include "parts.h"

namespace {

const tq::res::ResourceScript& LibraryScript() {
  using namespace tq::qlres;
  static const tq::res::GatheredScript gathered{
      {PageTemplates(), DriverStrings(), {}},
      {AboutBoxTemplate(), PageStrings(), {}, Menus(), Cursors()},
  };
  return gathered.script();
}

}  // namespace

TQ_RESOURCE_SCRIPT(LibraryScript())
