// wab32.so ("WAB32.DLL"): the Windows address book over one vCard file,
// the one WABOpen is given or $TELEQUILL_ROOT/addressbook.vcf.
#include <memory>
#include <string>
#include <system_error>
#include <filesystem>

#include "book_objects.h"
#include "win/ansi_text.h"
#include "win/mapi.h"
#include "win/resource.h"
#include "win/text.h"

extern "C" TQ_EXPORT HRESULT WABOpen(LPADRBOOK* book, LPWABOBJECT* wabObject, LPWAB_PARAM parameters, DWORD) {
  if (book == nullptr || wabObject == nullptr) return MAPI_E_INVALID_PARAMETER;
  *book = nullptr;
  *wabObject = nullptr;
  if (parameters != nullptr && parameters->cbSize < sizeof(WAB_PARAM)) return MAPI_E_INVALID_PARAMETER;
  const char* name = parameters != nullptr ? parameters->szFileName : nullptr;
  tq::mapi::LoadedBook loaded;
  if (name == nullptr || *name == 0) {
    // The default book starts empty until someone writes it.
    const std::string path = tq::WindowsDirectory() + "/addressbook.vcf";
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
      loaded = tq::mapi::LoadFile(path);
      if (loaded.notVcard && std::filesystem::file_size(path, error) == 0) loaded.notVcard = false;
    }
  } else {
    loaded = tq::mapi::LoadFile(tq::NativePath(tq::AnsiToWide(name)));
  }
  if (!loaded.readable || loaded.notVcard) return MAPI_E_NOT_FOUND;
  auto shared = std::make_shared<const tq::mapi::CardBook>(std::move(loaded.book));
  *book = tq::mapi::NewAddressBook(std::move(shared), tq::mapi::ThisModule());
  *wabObject = tq::mapi::NewWabObject();
  return S_OK;
}
