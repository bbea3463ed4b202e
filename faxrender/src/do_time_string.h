// The current local time text, read from the graphics engine's clock.
#pragma once

#include <cstddef>

namespace tq::render {

// Writes "Time H:MM:SS" of the current local time; returns its length.
int DoTimeString(char* destination, std::size_t size);

}  // namespace tq::render
