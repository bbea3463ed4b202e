// A small module for the module tests to load.
extern "C" __attribute__((visibility("default"))) int TestModuleAnswer() { return 42; }
