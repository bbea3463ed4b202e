// The registry file reader on arbitrary text. Whatever the bytes, Parse
// refuses them or gives a hive; a hive it gives is written out and read back
// to the same hive, so that nothing accepted is changed by the next save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hive.h"

namespace {

bool SameHive(const tq::registry::Hive& a, const tq::registry::Hive& b) {
  if (a.keys.size() != b.keys.size()) return false;
  for (auto left = a.keys.begin(), right = b.keys.begin(); left != a.keys.end(); ++left, ++right) {
    if (left->first != right->first || left->second.path != right->second.path) return false;
    const auto& values = left->second.values;
    const auto& others = right->second.values;
    if (values.size() != others.size()) return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i].name != others[i].name || values[i].type != others[i].type || values[i].data != others[i].data) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto hive = tq::registry::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!hive) return 0;
  const auto again = tq::registry::Parse(tq::registry::Serialize(*hive));
  if (!again || !SameHive(*hive, *again)) std::abort();
  return 0;
}
