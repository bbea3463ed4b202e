#include "faxui/module_instance.h"

#include <atomic>

namespace tq::faxui {

namespace {
std::atomic<HINSTANCE> instance{nullptr};
}

HINSTANCE ModuleInstance() { return instance.load(); }
void SetModuleInstance(HINSTANCE value) { instance.store(value); }

}  // namespace tq::faxui
