// A small module for the module tests to load.
#include "win/kernel.h"

extern "C" __attribute__((visibility("default"))) int TestModuleAnswer() { return 42; }
extern "C" __attribute__((visibility("default"))) int TestModuleSeven() { return 7; }

TQ_EXPORT_ORDINALS({1, "TestModuleAnswer"}, {2000, "TestModuleSeven"}, {3, "TestModuleMissing"})
