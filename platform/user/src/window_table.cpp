// Handles and window records. A handle is a number dressed as a pointer; a
// destroyed window's handle is never handed out again, so a stale handle
// stays bad instead of naming somebody else's window.
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

#include "property_sheet.h"
#include "window.h"

namespace tq::ui {
namespace {

struct Table {
  std::mutex mutex;
  std::map<HWND, std::unique_ptr<Window>> windows;
  ULONG_PTR next = 0x10010;
  // Set once, under the mutex; `threadClaimed` is stored after
  // `windowThread`, so that OnWindowThread reads both without the mutex.
  std::atomic<bool> threadClaimed = false;
  std::thread::id windowThread;
  // Counts the changes to `windows`, so that a thread may keep the record
  // it found last while the count stays.
  std::atomic<std::uint64_t> changes = 0;
};

// The record this thread found last: messages go to one window after
// another, and most look-ups are of the window looked up just before.
struct LastFound {
  HWND handle = nullptr;
  Window* window = nullptr;
  std::uint64_t changes = 0;
};
thread_local LastFound lastFound;

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

Window& NewWindow(WindowKind kind) {
  ClaimWindowThread();
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  auto window = std::make_unique<Window>();
  window->kind = kind;
  window->handle = reinterpret_cast<HWND>(table.next);
  table.next += 4;
  Window& record = *window;
  table.windows.emplace(record.handle, std::move(window));
  table.changes.fetch_add(1, std::memory_order_release);
  return record;
}

Window* PeekWindowRecord(HWND handle) {
  Table& table = TheTable();
  if (handle != nullptr && handle == lastFound.handle &&
      table.changes.load(std::memory_order_acquire) == lastFound.changes) {
    return lastFound.window;
  }
  std::lock_guard lock(table.mutex);
  auto found = table.windows.find(handle);
  if (found == table.windows.end()) return nullptr;
  lastFound = {handle, found->second.get(), table.changes.load(std::memory_order_relaxed)};
  return lastFound.window;
}

Window* FindWindowRecord(HWND handle) {
  Window* window = PeekWindowRecord(handle);
  if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

bool HandleExists(HWND handle) { return PeekWindowRecord(handle) != nullptr; }

void DeleteWindowRecord(HWND handle) {
  std::unique_ptr<Window> doomed;
  Table& table = TheTable();
  {
    std::lock_guard lock(table.mutex);
    auto found = table.windows.find(handle);
    if (found == table.windows.end()) return;
    doomed = std::move(found->second);
    table.windows.erase(found);
    table.changes.fetch_add(1, std::memory_order_release);
  }
  // Destroyed outside the lock: a control's destructor may not call back in.
  doomed.reset();
}

std::vector<Window*> TopLevelRecords() {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  std::vector<Window*> result;
  for (auto& [handle, window] : table.windows) {
    if (window->parent == nullptr) result.push_back(window.get());
  }
  return result;  // map order is handle order, which is creation order
}

// Every message asks this: it takes no lock.
bool OnWindowThread() {
  Table& table = TheTable();
  return !table.threadClaimed.load(std::memory_order_acquire) || table.windowThread == std::this_thread::get_id();
}

void ClaimWindowThread() {
  Table& table = TheTable();
  {
    std::lock_guard lock(table.mutex);
    if (table.threadClaimed.load(std::memory_order_relaxed)) return;
    table.windowThread = std::this_thread::get_id();
    table.threadClaimed.store(true, std::memory_order_release);
  }
  FirstWindowMade();
}

}  // namespace tq::ui
