// For fuzz targets whose reader takes a file: one private folder per
// process, which is also the run's Windows directory (TELEQUILL_ROOT), and
// the input written as a file in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tq::testing {

// Made on the first call, under /tmp, named after `what`.
const std::string& FuzzFolder(const char* what);

// Writes the bytes as the file `name` of the folder and gives its path.
std::string WriteFuzzInput(const char* what, const char* name, const std::uint8_t* data, std::size_t size);

}  // namespace tq::testing
