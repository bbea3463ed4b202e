#include "autocfg/device_table.h"

#include <iterator>

#include "ids.h"

namespace tq::autocfg {
namespace {

struct Entry {
  const char* type;
  bool paired;
};

// In the order of the model name strings 23 to 38. Each pair is a base type
// and its variant with one or two more arcs.
constexpr Entry kTable[] = {
    {"1.3.6.1.4.1.32473.1.1", true}, {"1.3.6.1.4.1.32473.1.1.1", true},
    {"1.3.6.1.4.1.32473.1.2", true}, {"1.3.6.1.4.1.32473.1.2.1.1", true},
    {"1.3.6.1.4.1.32473.1.3", true}, {"1.3.6.1.4.1.32473.1.3.1", true},
    {"1.3.6.1.4.1.32473.1.4", true}, {"1.3.6.1.4.1.32473.1.4.1.1", true},
    {"1.3.6.1.4.1.32473.1.5", true}, {"1.3.6.1.4.1.32473.1.5.1", true},
    {"1.3.6.1.4.1.32473.1.6", true}, {"1.3.6.1.4.1.32473.1.6.1.1", true},
    {"1.3.6.1.4.1.32473.1.7", true}, {"1.3.6.1.4.1.32473.1.7.1", true},
    {"1.3.6.1.4.1.32473.1.8", false},  // model N
    {"1.3.6.1.4.1.32473.1.9", false},  // model P
};
static_assert(std::size(kTable) == 16);

const Entry* Find(const std::string& type) {
  for (const Entry& entry : kTable) {
    if (type == entry.type) return &entry;
  }
  return nullptr;
}

}  // namespace

bool IsSupportedType(const std::string& type) { return Find(type) != nullptr; }

bool IsPairedType(const std::string& type) {
  const Entry* entry = Find(type);
  return entry != nullptr && entry->paired;
}

int ModelNameString(const std::string& type) {
  const Entry* entry = Find(type);
  return entry == nullptr ? text::kOtherModelName : text::kFirstModelName + static_cast<int>(entry - kTable);
}

}  // namespace tq::autocfg
