#include "book_objects.h"

#include <dlfcn.h>

#include <atomic>
#include <string>
#include <vector>

#include "address_dialog.h"
#include "allocator.h"
#include "win/ansi_text.h"

namespace tq::mapi {
namespace {

template <class Interface>
class Counted : public Interface {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<ULONG> references_{1};
};

std::string Ansi(const std::string& utf8) {
  std::string ansi;
  (void)Utf8ToAnsi(utf8, ansi);  // a character the code page lacks becomes its default one
  return ansi;
}

// One value: a string, a binary, a long, or PT_ERROR/MAPI_E_NOT_FOUND when
// the entry has no such property. False when memory runs out.
struct Source {
  std::string name;  // ANSI
  const std::string* faxes = nullptr;
  EntryId id;
  ULONG objectType = MAPI_MAILUSER;
};

bool FillValue(const Source& source, ULONG tag, LPVOID root, SPropValue& value, bool& missing) {
  value.ulPropTag = tag;
  auto text = [&](const std::string& ansi) {
    value.Value.lpszA = CopyString(ansi.data(), ansi.size(), root);
    return value.Value.lpszA != nullptr;
  };
  auto notFound = [&] {
    value.ulPropTag = CHANGE_PROP_TYPE(tag, PT_ERROR);
    value.Value.err = MAPI_E_NOT_FOUND;
    missing = true;
    return true;
  };
  switch (tag) {
    case PR_DISPLAY_NAME_A:
      return text(source.name);
    case PR_PRIMARY_FAX_NUMBER_A:
    case PR_BUSINESS_FAX_NUMBER_A:
    case PR_HOME_FAX_NUMBER_A: {
      if (source.faxes == nullptr) return notFound();
      const std::string& fax = source.faxes[tag == PR_PRIMARY_FAX_NUMBER_A ? kPrimaryFax
                                            : tag == PR_BUSINESS_FAX_NUMBER_A ? kBusinessFax
                                                                              : kHomeFax];
      return fax.empty() ? notFound() : text(Ansi(fax));
    }
    case PR_ENTRYID: {
      void* bytes = nullptr;
      if (AllocateMore(static_cast<ULONG>(source.id.size()), root, &bytes) != S_OK) return false;
      std::copy(source.id.begin(), source.id.end(), static_cast<std::uint8_t*>(bytes));
      value.Value.bin.cb = static_cast<ULONG>(source.id.size());
      value.Value.bin.lpb = static_cast<LPBYTE>(bytes);
      return true;
    }
    case PR_OBJECT_TYPE:
      value.Value.l = static_cast<LONG>(source.objectType);
      return true;
    case PR_RECIPIENT_TYPE:
      value.Value.l = MAPI_TO;
      return true;
    default:
      return notFound();
  }
}

HRESULT MakeValues(const Source& source, const std::vector<ULONG>& tags, LPSPropValue* values, bool& missing) {
  void* root = nullptr;
  if (AllocateBuffer(static_cast<ULONG>(sizeof(SPropValue) * (tags.empty() ? 1 : tags.size())), &root) != S_OK) {
    return MAPI_E_NOT_ENOUGH_MEMORY;
  }
  auto* out = static_cast<LPSPropValue>(root);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (!FillValue(source, tags[i], root, out[i], missing)) {
      FreeBuffer(root);
      return MAPI_E_NOT_ENOUGH_MEMORY;
    }
  }
  *values = out;
  return S_OK;
}

std::vector<ULONG> TagsOf(LPSPropTagArray tags) {
  std::vector<ULONG> out;
  if (tags != nullptr) out.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
  return out;
}

Source SourceOf(const Contact& contact) {
  Source source;
  source.name = Ansi(contact.displayName);
  source.faxes = contact.isList ? nullptr : contact.faxes;
  source.id = contact.id;
  source.objectType = contact.isList ? MAPI_DISTLIST : MAPI_MAILUSER;
  return source;
}

template <class Interface>
class EntryObject : public Counted<Interface> {
 public:
  EntryObject(std::shared_ptr<const CardBook> book, const Contact& contact)
      : book_(std::move(book)), contact_(contact) {}

  HRESULT GetProps(LPSPropTagArray tags, ULONG, ULONG* count, LPSPropValue* values) override {
    if (tags == nullptr || count == nullptr || values == nullptr) return MAPI_E_INVALID_PARAMETER;
    bool missing = false;
    HRESULT result = MakeValues(SourceOf(contact_), TagsOf(tags), values, missing);
    if (result != S_OK) return result;
    *count = tags->cValues;
    return missing ? MAPI_W_ERRORS_RETURNED : S_OK;
  }

 protected:
  std::shared_ptr<const CardBook> book_;
  const Contact& contact_;
};

using MailUser = EntryObject<IMailUser>;

class ContentsTable : public Counted<IMAPITable> {
 public:
  explicit ContentsTable(std::vector<Source> rows) : rows_(std::move(rows)) {}

  HRESULT SetColumns(LPSPropTagArray columns, ULONG) override {
    if (columns == nullptr) return MAPI_E_INVALID_PARAMETER;
    columns_ = TagsOf(columns);
    return S_OK;
  }
  HRESULT SeekRow(ULONG bookmark, LONG rowCount, LONG* sought) override {
    if (bookmark != BOOKMARK_BEGINNING) return MAPI_E_NO_SUPPORT;
    LONG target = std::max<LONG>(0, std::min<LONG>(rowCount, static_cast<LONG>(rows_.size())));
    cursor_ = static_cast<std::size_t>(target);
    if (sought != nullptr) *sought = target;
    return S_OK;
  }
  HRESULT QueryRows(LONG rowCount, ULONG, LPSRowSet* rows) override {
    if (rows == nullptr || rowCount <= 0) return MAPI_E_INVALID_PARAMETER;
    std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(rowCount), rows_.size() - cursor_);
    void* root = nullptr;
    if (AllocateBuffer(static_cast<ULONG>(CbNewSRowSet(static_cast<ULONG>(count))), &root) != S_OK) {
      return MAPI_E_NOT_ENOUGH_MEMORY;
    }
    auto* set = static_cast<LPSRowSet>(root);
    set->cRows = 0;
    for (std::size_t i = 0; i < count; ++i) {
      bool missing = false;
      LPSPropValue values = nullptr;
      if (MakeValues(rows_[cursor_ + i], columns_, &values, missing) != S_OK) {
        for (ULONG k = 0; k < set->cRows; ++k) FreeBuffer(set->aRow[k].lpProps);
        FreeBuffer(root);
        return MAPI_E_NOT_ENOUGH_MEMORY;
      }
      set->aRow[i] = SRow{0, static_cast<ULONG>(columns_.size()), values};
      set->cRows = static_cast<ULONG>(i + 1);
    }
    cursor_ += count;
    *rows = set;
    return S_OK;
  }

 private:
  std::vector<Source> rows_;
  std::vector<ULONG> columns_{PR_DISPLAY_NAME_A, PR_ENTRYID, PR_OBJECT_TYPE};
  std::size_t cursor_ = 0;
};

class DistList : public EntryObject<IDistList> {
 public:
  using EntryObject::EntryObject;

  HRESULT GetContentsTable(ULONG, IMAPITable** table) override {
    if (table == nullptr) return MAPI_E_INVALID_PARAMETER;
    std::vector<Source> rows;
    for (const MemberRef& member : contact_.members) {
      if (const Contact* found = book_->Resolve(member); found != nullptr) {
        rows.push_back(SourceOf(*found));
        continue;
      }
      // A member whose card is not in the book: listed under the name the
      // list gives it, with an ID that cannot be opened.
      Source missing;
      missing.name = Ansi(!member.name.empty() ? member.name : !member.email.empty() ? member.email : member.uid);
      missing.id = MakeEntryId(EntryKind::Unresolved, member.uid.empty() ? member.email : member.uid);
      rows.push_back(std::move(missing));
    }
    *table = new ContentsTable(std::move(rows));
    return S_OK;
  }
};

class AddressBook : public Counted<IAddrBook> {
 public:
  AddressBook(std::shared_ptr<const CardBook> book, HINSTANCE resources)
      : book_(std::move(book)), resources_(resources) {}

  HRESULT GetProps(LPSPropTagArray, ULONG, ULONG*, LPSPropValue*) override { return MAPI_E_NO_SUPPORT; }

  HRESULT OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID, ULONG, ULONG* objectType,
                    IUnknown** object) override {
    if (object == nullptr || objectType == nullptr) return MAPI_E_INVALID_PARAMETER;
    if (entryId == nullptr || cbEntryID == 0) return MAPI_E_NO_SUPPORT;  // no root container
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(entryId);
    const Contact* contact = book_->Find(EntryId(bytes, bytes + cbEntryID));
    if (contact == nullptr) return MAPI_E_NOT_FOUND;
    if (contact->isList) {
      *objectType = MAPI_DISTLIST;
      *object = new DistList(book_, *contact);
    } else {
      *objectType = MAPI_MAILUSER;
      *object = new MailUser(book_, *contact);
    }
    return S_OK;
  }

  HRESULT CompareEntryIDs(ULONG cb1, LPENTRYID id1, ULONG cb2, LPENTRYID id2, ULONG, ULONG* result) override {
    if (result == nullptr || id1 == nullptr || id2 == nullptr) return MAPI_E_INVALID_PARAMETER;
    *result = cb1 == cb2 && std::equal(reinterpret_cast<const std::uint8_t*>(id1),
                                       reinterpret_cast<const std::uint8_t*>(id1) + cb1,
                                       reinterpret_cast<const std::uint8_t*>(id2));
    return S_OK;
  }

  HRESULT Address(ULONG_PTR* uiParam, LPADRPARM parameters, LPADRLIST* list) override {
    if (parameters == nullptr || list == nullptr) return MAPI_E_INVALID_PARAMETER;
    if ((parameters->ulFlags & DIALOG_MODAL) == 0) return MAPI_E_NO_SUPPORT;
    HWND parent = uiParam != nullptr ? reinterpret_cast<HWND>(*uiParam) : nullptr;
    std::vector<const Contact*> picked;
    HRESULT result = RunAddressDialog(resources_, parent, *parameters, *book_, picked);
    if (result != S_OK) return result;
    return MakeAddressList(picked, list);
  }

 private:
  static HRESULT MakeAddressList(const std::vector<const Contact*>& picked, LPADRLIST* list) {
    void* root = nullptr;
    if (AllocateBuffer(static_cast<ULONG>(CbNewADRLIST(static_cast<ULONG>(picked.size()))), &root) != S_OK) {
      return MAPI_E_NOT_ENOUGH_MEMORY;
    }
    auto* out = static_cast<LPADRLIST>(root);
    out->cEntries = 0;
    const std::vector<ULONG> tags{PR_DISPLAY_NAME_A, PR_ENTRYID, PR_OBJECT_TYPE, PR_RECIPIENT_TYPE};
    for (const Contact* contact : picked) {
      bool missing = false;
      LPSPropValue values = nullptr;
      if (MakeValues(SourceOf(*contact), tags, &values, missing) != S_OK) {
        for (ULONG k = 0; k < out->cEntries; ++k) FreeBuffer(out->aEntries[k].rgPropVals);
        FreeBuffer(root);
        return MAPI_E_NOT_ENOUGH_MEMORY;
      }
      out->aEntries[out->cEntries++] = ADRENTRY{0, static_cast<ULONG>(tags.size()), values};
    }
    *list = out;
    return S_OK;
  }

  std::shared_ptr<const CardBook> book_;
  HINSTANCE resources_;
};

class Session : public Counted<IMAPISession> {
 public:
  Session(std::shared_ptr<const CardBook> book, HINSTANCE resources)
      : book_(std::move(book)), resources_(resources) {}

  HRESULT OpenAddressBook(ULONG_PTR, LPCIID, ULONG, IAddrBook** book) override {
    if (book == nullptr) return MAPI_E_INVALID_PARAMETER;
    if (loggedOff_) return MAPI_E_CALL_FAILED;
    *book = new AddressBook(book_, resources_);
    return S_OK;
  }
  HRESULT Logoff(ULONG_PTR, ULONG, ULONG) override {
    loggedOff_ = true;
    return S_OK;
  }

 private:
  std::shared_ptr<const CardBook> book_;
  HINSTANCE resources_;
  bool loggedOff_ = false;
};

class WabObject : public Counted<IWABObject> {
 public:
  HRESULT AllocateBuffer(ULONG size, LPVOID* buffer) override { return mapi::AllocateBuffer(size, buffer); }
  HRESULT AllocateMore(ULONG size, LPVOID parent, LPVOID* buffer) override {
    return mapi::AllocateMore(size, parent, buffer);
  }
  HRESULT FreeBuffer(LPVOID buffer) override { return static_cast<HRESULT>(mapi::FreeBuffer(buffer)); }
};

}  // namespace

IAddrBook* NewAddressBook(std::shared_ptr<const CardBook> book, HINSTANCE resources) {
  return new AddressBook(std::move(book), resources);
}

IMAPISession* NewSession(std::shared_ptr<const CardBook> book, HINSTANCE resources) {
  return new Session(std::move(book), resources);
}

IWABObject* NewWabObject() { return new WabObject(); }

HINSTANCE ThisModule() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ThisModule), &info) == 0 || info.dli_fname == nullptr) return nullptr;
  // RTLD_NOLOAD finds the already loaded library; the reference it takes is
  // given back at once, the library stays loaded by its loader.
  void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return static_cast<HINSTANCE>(handle);
}

}  // namespace tq::mapi
