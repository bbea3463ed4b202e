// A small module for the module tests to load.
#include "win/export.h"

TQ_EXPORT int TestModuleAnswer() { return 42; }
