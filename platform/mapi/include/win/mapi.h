// MAPI and the Windows address book, the subset the Import application
// calls, under their Win32 names and values. The address books behind them
// are vCard files (see README, "Address books"):
//  - the messaging address book (MAPI32.DLL): every .vcf file of
//    $TELEQUILL_ROOT/mapi/;
//  - the Windows address book (WAB32.DLL): the file WABOpen is given, or
//    $TELEQUILL_ROOT/addressbook.vcf when it is given none.
// Both libraries are shared libraries of their own (mapi32.so, wab32.so)
// that a program loads with LoadLibraryW and GetProcAddress; this header
// only declares what they export and the interfaces they hand out.
#pragma once

#include <cstddef>

#include "win/types.h"

using HRESULT = LONG;
using SCODE = LONG;
using LHANDLE = ULONG_PTR;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT MAPI_E_CALL_FAILED = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT MAPI_E_NOT_ENOUGH_MEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT MAPI_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT MAPI_E_NO_SUPPORT = static_cast<HRESULT>(0x80040102u);
inline constexpr HRESULT MAPI_E_NOT_FOUND = static_cast<HRESULT>(0x8004010Fu);
inline constexpr HRESULT MAPI_E_LOGON_FAILED = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT MAPI_E_USER_CANCEL = static_cast<HRESULT>(0x80040113u);
inline constexpr HRESULT MAPI_E_NOT_INITIALIZED = static_cast<HRESULT>(0x80040605u);
inline constexpr HRESULT MAPI_W_ERRORS_RETURNED = 0x00040380;
inline constexpr bool FAILED(HRESULT result) { return result < 0; }
inline constexpr bool HR_FAILED(HRESULT result) { return result < 0; }

// ---- Property tags -----------------------------------------------------------
inline constexpr ULONG PT_LONG = 0x0003;
inline constexpr ULONG PT_ERROR = 0x000A;
inline constexpr ULONG PT_STRING8 = 0x001E;
inline constexpr ULONG PT_BINARY = 0x0102;
inline constexpr ULONG PROP_TYPE(ULONG tag) { return tag & 0xFFFF; }
inline constexpr ULONG PROP_ID(ULONG tag) { return tag >> 16; }
inline constexpr ULONG PROP_TAG(ULONG type, ULONG id) { return (id << 16) | type; }
inline constexpr ULONG CHANGE_PROP_TYPE(ULONG tag, ULONG type) { return (tag & 0xFFFF0000u) | type; }

inline constexpr ULONG PR_OBJECT_TYPE = 0x0FFE0003;
inline constexpr ULONG PR_ENTRYID = 0x0FFF0102;
inline constexpr ULONG PR_RECIPIENT_TYPE = 0x0C150003;
inline constexpr ULONG PR_DISPLAY_NAME_A = 0x3001001E;
inline constexpr ULONG PR_EMAIL_ADDRESS_A = 0x3003001E;
inline constexpr ULONG PR_PRIMARY_FAX_NUMBER_A = 0x3A23001E;
inline constexpr ULONG PR_BUSINESS_FAX_NUMBER_A = 0x3A24001E;
inline constexpr ULONG PR_HOME_FAX_NUMBER_A = 0x3A25001E;

inline constexpr ULONG MAPI_MAILUSER = 6;
inline constexpr ULONG MAPI_DISTLIST = 8;
inline constexpr ULONG MAPI_TO = 1;

// ---- Flags -------------------------------------------------------------------
inline constexpr ULONG MAPI_LOGON_UI = 0x00000001;
inline constexpr ULONG MAPI_NO_MAIL = 0x00008000;
inline constexpr ULONG MAPI_EXTENDED = 0x00000020;
inline constexpr ULONG MAPI_LOGOFF_UI = 0x00000001;
inline constexpr ULONG DIALOG_MODAL = 0x00000001;
inline constexpr ULONG BOOKMARK_BEGINNING = 0;

// ---- Values --------------------------------------------------------------------
struct ENTRYID {
  BYTE abFlags[4];
  BYTE ab[1];
};
using LPENTRYID = ENTRYID*;

struct SBinary {
  ULONG cb;
  LPBYTE lpb;
};

union PV {
  LONG l;
  SCODE err;
  LPSTR lpszA;
  SBinary bin;
};

struct SPropValue {
  ULONG ulPropTag;
  ULONG dwAlignPad;
  PV Value;
};
using LPSPropValue = SPropValue*;

struct SPropTagArray {
  ULONG cValues;
  ULONG aulPropTag[1];
};
using LPSPropTagArray = SPropTagArray*;

// A tag array of N tags laid out as SPropTagArray.
template <ULONG N>
struct SizedSPropTagArray {
  ULONG cValues;
  ULONG aulPropTag[N];
  LPSPropTagArray get() { return reinterpret_cast<LPSPropTagArray>(this); }
};

struct SRow {
  ULONG ulAdrEntryPad;
  ULONG cValues;
  LPSPropValue lpProps;
};
using LPSRow = SRow*;

struct SRowSet {
  ULONG cRows;
  SRow aRow[1];
};
using LPSRowSet = SRowSet*;

struct ADRENTRY {
  ULONG ulReserved1;
  ULONG cValues;
  LPSPropValue rgPropVals;
};

struct ADRLIST {
  ULONG cEntries;
  ADRENTRY aEntries[1];
};
using LPADRLIST = ADRLIST*;

inline constexpr size_t CbNewADRLIST(ULONG entries) {
  return offsetof(ADRLIST, aEntries) + sizeof(ADRENTRY) * (entries == 0 ? 1 : entries);
}
inline constexpr size_t CbNewSRowSet(ULONG rows) {
  return offsetof(SRowSet, aRow) + sizeof(SRow) * (rows == 0 ? 1 : rows);
}

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
using LPCIID = const GUID*;

using LPALLOCATEBUFFER = SCODE (*)(ULONG size, LPVOID* buffer);
using LPALLOCATEMORE = SCODE (*)(ULONG size, LPVOID parent, LPVOID* buffer);
using LPFREEBUFFER = ULONG (*)(LPVOID buffer);

using LPFNDISMISS = void (*)(ULONG_PTR uiParam, LPVOID context);
using LPFNBUTTON = SCODE (*)(ULONG_PTR uiParam, LPVOID context, ULONG cbEntryID, LPENTRYID entryId,
                             ULONG flags);

// The address dialog's parameters; only the fields in use are honoured:
// flags (DIALOG_MODAL), caption, new-entry title, wells title, the number of
// destination fields with their titles and recipient types, and the field
// that has the focus.
struct ADRPARM {
  ULONG cbABContEntryID;
  LPENTRYID lpABContEntryID;
  ULONG ulFlags;
  LPVOID lpReserved;
  ULONG ulHelpContext;
  LPSTR lpszHelpFileName;
  LPFNBUTTON lpfnABSDI;
  LPFNDISMISS lpfnDismiss;
  LPVOID lpvDismissContext;
  LPSTR lpszCaption;
  LPSTR lpszNewEntryTitle;
  LPSTR lpszDestWellsTitle;
  ULONG cDestFields;
  ULONG nDestFieldFocus;
  LPSTR* lppszDestTitles;
  ULONG* lpulDestComps;
  void* lpContRestriction;
  void* lpHierRestriction;
};
using LPADRPARM = ADRPARM*;

// ---- Interfaces ------------------------------------------------------------------
class IUnknown {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

class IMAPIProp : public IUnknown {
 public:
  // The values of the tags asked for, in their order, in one buffer freed
  // with the allocator's FreeBuffer. A missing property comes back as a
  // PT_ERROR value with MAPI_E_NOT_FOUND and the call returns
  // MAPI_W_ERRORS_RETURNED.
  virtual HRESULT GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) = 0;
};

class IMAPITable : public IUnknown {
 public:
  virtual HRESULT SetColumns(LPSPropTagArray columns, ULONG flags) = 0;
  virtual HRESULT SeekRow(ULONG bookmark, LONG rowCount, LONG* rowsSought) = 0;
  // Up to `rowCount` rows from the cursor; none at the end. Each row's values
  // are one buffer and the row set another, all freed with FreeBuffer.
  virtual HRESULT QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows) = 0;
};

class IMailUser : public IMAPIProp {};

class IDistList : public IMAPIProp {
 public:
  virtual HRESULT GetContentsTable(ULONG flags, IMAPITable** table) = 0;
};

class IAddrBook : public IMAPIProp {
 public:
  virtual HRESULT OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iface, ULONG flags,
                            ULONG* objectType, IUnknown** object) = 0;
  virtual HRESULT CompareEntryIDs(ULONG cbEntryID1, LPENTRYID entryId1, ULONG cbEntryID2,
                                  LPENTRYID entryId2, ULONG flags, ULONG* result) = 0;
  // The address dialog, modal on `*uiParam` (a window handle). On OK the
  // list holds the well's entries, each with PR_DISPLAY_NAME_A, PR_ENTRYID,
  // PR_OBJECT_TYPE and PR_RECIPIENT_TYPE; Cancel gives MAPI_E_USER_CANCEL.
  virtual HRESULT Address(ULONG_PTR* uiParam, LPADRPARM parameters, LPADRLIST* list) = 0;
};

class IMAPISession : public IUnknown {
 public:
  virtual HRESULT OpenAddressBook(ULONG_PTR uiParam, LPCIID iface, ULONG flags, IAddrBook** book) = 0;
  virtual HRESULT Logoff(ULONG_PTR uiParam, ULONG flags, ULONG reserved) = 0;
};

class IWABObject : public IUnknown {
 public:
  virtual HRESULT AllocateBuffer(ULONG size, LPVOID* buffer) = 0;
  virtual HRESULT AllocateMore(ULONG size, LPVOID parent, LPVOID* buffer) = 0;
  virtual HRESULT FreeBuffer(LPVOID buffer) = 0;
};

using LPMAPISESSION = IMAPISession*;
using LPADRBOOK = IAddrBook*;
using LPWABOBJECT = IWABObject*;

struct WAB_PARAM {
  ULONG cbSize;
  HWND hwnd;
  LPSTR szFileName;
  ULONG ulFlags;
};
using LPWAB_PARAM = WAB_PARAM*;

// ---- The libraries' exports, as GetProcAddress finds them --------------------------
using LPMAPIINITIALIZE = HRESULT (*)(LPVOID init);
using LPMAPIUNINITIALIZE = void (*)();
using LPMAPILOGONEX = HRESULT (*)(ULONG_PTR uiParam, LPSTR profileName, LPSTR password, ULONG flags,
                                  LPMAPISESSION* session);
using LPMAPIALLOCATEBUFFER = SCODE (*)(ULONG size, LPVOID* buffer);
using LPMAPIALLOCATEMORE = SCODE (*)(ULONG size, LPVOID parent, LPVOID* buffer);
using LPMAPIFREEBUFFER = ULONG (*)(LPVOID buffer);
using LPWABOPEN = HRESULT (*)(LPADRBOOK* book, LPWABOBJECT* wabObject, LPWAB_PARAM parameters,
                              DWORD reserved);
