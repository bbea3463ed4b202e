// The two libraries as a program loads them: exports, logon rules, missing
// properties and the allocator's refusal of foreign pointers.
#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_root.h"
#include "win/kernel.h"
#include "win/mapi.h"

namespace {

template <class Function>
Function Proc(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class Libraries : public tq::testing::TempRoot {};

}  // namespace

TEST_F(Libraries, MessagingLogonNeedsInitialiseAndItsFolder) {
  HMODULE mapi = LoadLibraryW(u"MAPI32.DLL");
  ASSERT_NE(mapi, nullptr);
  auto initialize = Proc<LPMAPIINITIALIZE>(mapi, "MAPIInitialize");
  auto logon = Proc<LPMAPILOGONEX>(mapi, "MAPILogonEx");
  auto uninitialize = Proc<LPMAPIUNINITIALIZE>(mapi, "MAPIUninitialize");
  ASSERT_TRUE(initialize && logon && uninitialize);
  LPMAPISESSION session = nullptr;
  EXPECT_EQ(logon(0, nullptr, nullptr, 0x8021, &session), MAPI_E_NOT_INITIALIZED);
  initialize(nullptr);
  EXPECT_EQ(logon(0, nullptr, nullptr, 0x8021, &session), MAPI_E_LOGON_FAILED);  // no mapi folder
  std::filesystem::create_directories(path("mapi"));
  ASSERT_EQ(logon(0, nullptr, nullptr, 0x8021, &session), S_OK);
  IAddrBook* book = nullptr;
  EXPECT_EQ(session->OpenAddressBook(0, nullptr, 0, &book), S_OK);
  book->Release();
  session->Logoff(0, MAPI_LOGOFF_UI, 0);
  session->Release();
  uninitialize();
  FreeLibrary(mapi);
}

TEST_F(Libraries, PersonPropertiesAndAllocator) {
  tq::testing::WriteText(path("book.vcf"), "BEGIN:VCARD\nUID:x\nFN:Ana\nTEL;TYPE=fax,home:12\nEND:VCARD\n");
  HMODULE wab = LoadLibraryW(u"WAB32.DLL");
  ASSERT_NE(wab, nullptr);
  auto open = Proc<LPWABOPEN>(wab, "WABOpen");
  ASSERT_NE(open, nullptr);
  std::string file = path("book.vcf").string();
  WAB_PARAM parameters{sizeof(WAB_PARAM), nullptr, file.data(), 0};
  IAddrBook* book = nullptr;
  IWABObject* object = nullptr;
  ASSERT_EQ(open(&book, &object, &parameters, 0), S_OK);
  // The entry ID the card's UID gives, as made by the provider.
  std::vector<BYTE> id(4, 0);
  const char provider[] = "TQVCARDBOOK\x01\0\0\0\0";
  id.insert(id.end(), provider, provider + 16);
  id.push_back(0);
  id.push_back('x');
  ULONG type = 0;
  IUnknown* entry = nullptr;
  ASSERT_EQ(book->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(id.data()), nullptr, 0,
                            &type, &entry),
            S_OK);
  EXPECT_EQ(type, MAPI_MAILUSER);
  auto* person = static_cast<IMAPIProp*>(entry);
  SizedSPropTagArray<3> tags{3, {PR_DISPLAY_NAME_A, PR_PRIMARY_FAX_NUMBER_A, PR_HOME_FAX_NUMBER_A}};
  ULONG count = 0;
  LPSPropValue values = nullptr;
  EXPECT_EQ(person->GetProps(tags.get(), 0, &count, &values), MAPI_W_ERRORS_RETURNED);
  ASSERT_EQ(count, 3u);
  EXPECT_STREQ(values[0].Value.lpszA, "Ana");
  EXPECT_EQ(PROP_TYPE(values[1].ulPropTag), PT_ERROR);
  EXPECT_STREQ(values[2].Value.lpszA, "12");
  EXPECT_EQ(object->FreeBuffer(values), S_OK);
  std::vector<unsigned char> foreign(64, 0);
  EXPECT_EQ(object->FreeBuffer(foreign.data() + 32), MAPI_E_INVALID_PARAMETER);  // not one of its buffers
  id.back() = 'y';
  EXPECT_EQ(book->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(id.data()), nullptr, 0,
                            &type, &entry),
            MAPI_E_NOT_FOUND);
  person->Release();
  book->Release();
  object->Release();
  FreeLibrary(wab);
}
