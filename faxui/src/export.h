// Marks a function the host finds by name: C linkage, visible outside the
// shared library (everything else is hidden).
#pragma once

#define FAXUI_EXPORT extern "C" __attribute__((visibility("default")))
