// Marks a function that a host or loader finds by name in a shared library
// or program: C linkage and visible outside it. The libraries are built
// with hidden symbols, so nothing else leaves them.
#pragma once

#define TQ_EXPORT extern "C" __attribute__((visibility("default")))
