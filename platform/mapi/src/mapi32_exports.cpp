// mapi32.so ("MAPI32.DLL"): the messaging address book, every .vcf file of
// $TELEQUILL_ROOT/mapi/. There is one profile; logging on reads the folder.
#include <atomic>
#include <memory>

#include "allocator.h"
#include "book_objects.h"
#include "win/mapi.h"
#include "win/resource.h"
#include "win/text.h"

namespace {

// MAPIInitialize calls not yet undone by MAPIUninitialize, per process as
// the messaging subsystem counts them.
std::atomic<int> initialised{0};

}  // namespace

extern "C" TQ_EXPORT HRESULT MAPIInitialize(LPVOID) {
  ++initialised;
  return S_OK;
}

extern "C" TQ_EXPORT void MAPIUninitialize() {
  if (initialised > 0) --initialised;
}

extern "C" TQ_EXPORT HRESULT MAPILogonEx(ULONG_PTR, LPSTR, LPSTR, ULONG, LPMAPISESSION* session) {
  if (session == nullptr) return MAPI_E_INVALID_PARAMETER;
  *session = nullptr;
  if (initialised == 0) return MAPI_E_NOT_INITIALIZED;
  tq::mapi::LoadedBook loaded = tq::mapi::LoadFolder(tq::WindowsDirectory() + "/mapi");
  if (!loaded.readable) return MAPI_E_LOGON_FAILED;  // no messaging profile here
  auto book = std::make_shared<const tq::mapi::CardBook>(std::move(loaded.book));
  *session = tq::mapi::NewSession(std::move(book), tq::mapi::ThisModule());
  return S_OK;
}

extern "C" TQ_EXPORT SCODE MAPIAllocateBuffer(ULONG size, LPVOID* buffer) {
  return tq::mapi::AllocateBuffer(size, buffer);
}

extern "C" TQ_EXPORT SCODE MAPIAllocateMore(ULONG size, LPVOID parent, LPVOID* buffer) {
  return tq::mapi::AllocateMore(size, parent, buffer);
}

extern "C" TQ_EXPORT ULONG MAPIFreeBuffer(LPVOID buffer) { return tq::mapi::FreeBuffer(buffer); }
