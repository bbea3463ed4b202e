// The plug-in's resource script: its string table (and, as the dialogs are
// built, their templates).
#include "win/resource.h"

namespace {

#if defined(TELEQUILL_MODEL_P)
constexpr const char16_t* kHelpFileName = u"qlhelpp.HLP";
#else
constexpr const char16_t* kHelpFileName = u"qlhelpn.HLP";
#endif

const tq::res::StringResource kStrings[] = {
    {700, kHelpFileName},
};

const tq::res::ResourceScript kScript{{}, kStrings, {}};

}  // namespace

TQ_RESOURCE_SCRIPT(kScript)
