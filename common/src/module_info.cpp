// The module information lines. The time stamp is the build's own, taken
// when this file is compiled.
#include "common/module_info.h"

namespace tq {
namespace {

constexpr const char* kLines[kModuleInfoLineCount + 1] = {
    "Module: Printer interface DLL static library",
    "Version: Telequill PCL XL DDK: ER 3.5.0.2  Mini Driver Libraries: ER 3.0.0.8 Time Stamp: " __TIME__ " " __DATE__,
    "Telequill printer interface toolkit",
    "Copyright (C) the Telequill developers",
    "All rights reserved.",
    "Use, copying and distribution are subject to the",
    "terms of the licence that comes with Telequill.",
    nullptr,
};

}  // namespace

const char* const* ModuleInfoLines() { return kLines; }

}  // namespace tq
