// VqrSetGroupStyle, left out of the build that stands in for a client library
// the plug-in must not use.
#include "stand_in_calls.h"
#include "win/export.h"

using namespace tq::vqrapi;
using tq::monitor::VqrHandle;

TQ_EXPORT std::int32_t VqrSetGroupStyle(VqrHandle handle, std::int32_t /*style*/) {
  NoteCall("VqrSetGroupStyle");
  return Known(handle);
}
