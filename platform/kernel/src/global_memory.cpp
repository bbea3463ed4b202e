// Global memory over the C heap: the handle is a record holding the bytes
// and the lock count. Handles are checked against the live set, so a freed
// or made-up handle is refused rather than followed.
#include "win/global_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

#include "internal.h"

namespace {

struct Block {
  SIZE_T size = 0;
  int locks = 0;
  unsigned char* bytes = nullptr;
};

std::mutex liveLock;
std::unordered_set<Block*>& Live() {
  static std::unordered_set<Block*> live;
  return live;
}

std::atomic<int> refuseCountdown{0};

bool RefusalFires() {
  int value = refuseCountdown.load();
  while (value > 0) {
    if (refuseCountdown.compare_exchange_weak(value, value - 1)) return value == 1;
  }
  return false;
}

Block* Checked(HGLOBAL memory) {
  auto* block = static_cast<Block*>(memory);
  std::lock_guard guard(liveLock);
  return Live().count(block) != 0 ? block : nullptr;
}

}  // namespace

namespace tq {
void FailNthGlobalAlloc(int n) { refuseCountdown.store(n < 0 ? 0 : n); }
}  // namespace tq

extern "C" HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (RefusalFires()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto* block = new (std::nothrow) Block;
  // A block of 0 bytes still has an address, as the heap gives one.
  auto* data = static_cast<unsigned char*>(std::malloc(bytes == 0 ? 1 : bytes));
  if (block == nullptr || data == nullptr) {
    delete block;
    std::free(data);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & GMEM_ZEROINIT) std::memset(data, 0, bytes);
  block->size = bytes;
  block->bytes = data;
  std::lock_guard guard(liveLock);
  Live().insert(block);
  return block;
}

extern "C" LPVOID GlobalLock(HGLOBAL memory) {
  Block* block = Checked(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++block->locks;
  return block->bytes;
}

extern "C" BOOL GlobalUnlock(HGLOBAL memory) {
  Block* block = Checked(memory);
  if (block == nullptr || block->locks == 0) return FALSE;
  return --block->locks > 0 ? TRUE : FALSE;
}

extern "C" SIZE_T GlobalSize(HGLOBAL memory) {
  Block* block = Checked(memory);
  return block == nullptr ? 0 : block->size;
}

extern "C" HGLOBAL GlobalFree(HGLOBAL memory) {
  Block* block = Checked(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return memory;
  }
  {
    std::lock_guard guard(liveLock);
    Live().erase(block);
  }
  std::free(block->bytes);
  delete block;
  return nullptr;
}
