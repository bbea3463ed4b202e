// A small module for the module tests to load.
#include "win/export.h"
#include "win/kernel.h"

TQ_EXPORT int TestModuleAnswer() { return 42; }
TQ_EXPORT int TestModuleSeven() { return 7; }

TQ_EXPORT_ORDINALS({1, "TestModuleAnswer"}, {2000, "TestModuleSeven"}, {3, "TestModuleMissing"})
