#include "allocator.h"

#include <cstdlib>
#include <cstring>

namespace tq::mapi {
namespace {

constexpr std::uint64_t kRootMagic = 0x5451524f4f544246ull;  // root buffer
constexpr std::uint64_t kMoreMagic = 0x54514d4f52454246ull;  // hung on a root

struct alignas(std::max_align_t) Header {
  std::uint64_t magic;
  Header* more;  // the chain of buffers hung on a root
};

Header* HeaderOf(LPVOID buffer) { return reinterpret_cast<Header*>(static_cast<char*>(buffer) - sizeof(Header)); }

void* NewBlock(ULONG size, std::uint64_t magic) {
  auto* header = static_cast<Header*>(std::calloc(1, sizeof(Header) + size));
  if (header == nullptr) return nullptr;
  header->magic = magic;
  header->more = nullptr;
  return header + 1;
}

}  // namespace

SCODE AllocateBuffer(ULONG size, LPVOID* buffer) {
  if (buffer == nullptr) return MAPI_E_INVALID_PARAMETER;
  *buffer = NewBlock(size, kRootMagic);
  return *buffer != nullptr ? S_OK : MAPI_E_NOT_ENOUGH_MEMORY;
}

SCODE AllocateMore(ULONG size, LPVOID parent, LPVOID* buffer) {
  if (buffer == nullptr || parent == nullptr) return MAPI_E_INVALID_PARAMETER;
  Header* root = HeaderOf(parent);
  if (root->magic != kRootMagic) return MAPI_E_INVALID_PARAMETER;
  void* block = NewBlock(size, kMoreMagic);
  if (block == nullptr) return MAPI_E_NOT_ENOUGH_MEMORY;
  Header* header = HeaderOf(block);
  header->more = root->more;
  root->more = header;
  *buffer = block;
  return S_OK;
}

ULONG FreeBuffer(LPVOID buffer) {
  if (buffer == nullptr) return S_OK;
  Header* root = HeaderOf(buffer);
  if (root->magic != kRootMagic) return static_cast<ULONG>(MAPI_E_INVALID_PARAMETER);
  Header* more = root->more;
  while (more != nullptr) {
    Header* next = more->more;
    more->magic = 0;
    std::free(more);
    more = next;
  }
  root->magic = 0;
  std::free(root);
  return S_OK;
}

LPSTR CopyString(const char* text, std::size_t length, LPVOID parent) {
  void* copy = nullptr;
  if (AllocateMore(static_cast<ULONG>(length + 1), parent, &copy) != S_OK) return nullptr;
  std::memcpy(copy, text, length);
  static_cast<char*>(copy)[length] = 0;
  return static_cast<LPSTR>(copy);
}

}  // namespace tq::mapi
