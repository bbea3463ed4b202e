#include "testing/fuzz_input.h"

#include <stdlib.h>

#include <fstream>

namespace tq::testing {

const std::string& FuzzFolder(const char* what) {
  static const std::string folder = [what] {
    std::string pattern = std::string("/tmp/") + what + "-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) abort();
    setenv("TELEQUILL_ROOT", pattern.c_str(), 1);
    return pattern;
  }();
  return folder;
}

std::string WriteFuzzInput(const char* what, const char* name, const std::uint8_t* data, std::size_t size) {
  const std::string file = FuzzFolder(what) + "/" + name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return file;
}

}  // namespace tq::testing
