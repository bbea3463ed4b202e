#include "host/resource_pages.h"

#include "texts.h"
#include "win/kernel.h"
#include "win/text.h"
#include "win/updown.h"
#include "win/user.h"

namespace tq::host {
namespace {

bool IsStandardClass(const char16_t* name) {
  for (const char16_t* standard : {WC_BUTTONW, WC_EDITW, WC_STATICW, WC_LISTBOXW, WC_COMBOBOXW}) {
    if (qlres::SameClassName(name == nullptr ? u"" : name, standard)) return true;
  }
  return false;
}

// What a control shows in place of what it could not be given.
constexpr const char16_t* kMissingString = texts::kMissingString;
constexpr const char16_t* kUnknownClass = texts::kUnknownClass;
constexpr const char16_t* kBadSpinner = texts::kBadSpinner;

class Resolver {
 public:
  Resolver(HINSTANCE library, Model model, const std::string& where, std::FILE* errors,
           std::deque<std::u16string>& texts)
      : library_(library), model_(model), where_(where), errors_(errors), texts_(texts) {}

  // `text` with "#nnnn" put in place; null with `failure` set when the
  // string is missing or the reference is malformed.
  const char16_t* Text(const char16_t* text, std::string& failure) {
    const qlres::TextReference reference = qlres::ReadTextReference(text == nullptr ? u"" : text);
    if (reference.kind == qlres::TextReference::kPlain) return text == nullptr ? u"" : text;
    if (reference.kind == qlres::TextReference::kString) {
      if (const res::StringResource* found = res::FindString(library_, reference.id)) return found->text;
    }
    failure = "text \"" + Utf16ToUtf8(text) + "\" names no string of the library";
    return nullptr;
  }

  void Report(const std::string& what, const std::string& failure) {
    if (errors_ != nullptr) std::fprintf(errors_, "qlhost: %s %s: %s\n", where_.c_str(), what.c_str(), failure.c_str());
  }

  const char16_t* Keep(std::u16string text) { return texts_.emplace_back(std::move(text)).c_str(); }

  void Control(const res::ControlTemplate& item, ResolvedPage& page) {
    res::ControlTemplate control = item;
    const std::string what = "control " + std::to_string(item.id);
    std::string failure;
    const std::optional<qlres::CustomControl> custom = qlres::CustomControlOf(item.className, model_);
    if (custom == qlres::CustomControl::kSpinner) {
      // An up-down control: its arrows (and Up and Down in its buddy) step
      // the buddy's number; the page gives it its buddy, range and step.
      const qlres::SpinnerParse parse = qlres::ParseSpinnerText(item.text == nullptr ? u"" : item.text);
      control.className = UPDOWN_CLASSW;
      control.text = u"";
      control.style = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
      if (parse.parameters) {
        page.spinners.push_back({item.id, *parse.parameters});
      } else {
        control.className = WC_STATICW;
        control.style = SS_LEFT;
        failure = "spinner text \"" + Utf16ToUtf8(item.text == nullptr ? u"" : item.text) + "\" refused: " + parse.error;
        control.text = kBadSpinner;
      }
    } else if (custom) {
      // Pictures the host draws itself: an empty static holds their place.
      control.className = WC_STATICW;
      control.text = u"";
      control.style = SS_LEFT;
    } else if (!IsStandardClass(item.className)) {
      failure = "class \"" + Utf16ToUtf8(item.className == nullptr ? u"" : item.className) + "\" is unknown";
      control.className = WC_STATICW;
      control.text = kUnknownClass;
      control.style = SS_LEFT;
    } else if (const char16_t* text = Text(item.text, failure)) {
      control.text = text;
    } else {
      control.text = Keep(std::u16string(kMissingString) + u" " + item.text);
    }
    if (!failure.empty()) {
      control.style |= WS_DISABLED;
      page.broken.push_back(item.id);
      Report(what, failure);
    }
    page.controls.push_back(control);
  }

 private:
  HINSTANCE library_;
  Model model_;
  std::string where_;
  std::FILE* errors_;
  std::deque<std::u16string>& texts_;
};

}  // namespace

HostPages::~HostPages() {
  // The registration points at this object's templates: leave none behind.
  static const res::ResourceScript kNothing{};
  res::RegisterResources(instance(), kNothing);
}

std::unique_ptr<HostPages> HostPages::Resolve(HINSTANCE library, Model model, std::span<const int> pages,
                                              const std::string& source, std::FILE* errors) {
  std::unique_ptr<HostPages> resolved(new HostPages());
  for (int id : pages) {
    const std::string where = source + " page " + std::to_string(id);
    const res::DialogTemplate* found = res::FindDialog(library, MAKEINTRESOURCEW(id));
    if (found == nullptr) {
      if (errors != nullptr) std::fprintf(errors, "qlhost: %s is missing\n", where.c_str());
      continue;
    }
    Resolver resolver(library, model, where, errors, resolved->texts_);
    ResolvedPage& page = resolved->pages_.emplace_back();
    page.dialog = *found;
    std::string failure;
    page.dialog.caption = resolver.Text(found->caption, failure);
    if (page.dialog.caption == nullptr) {
      resolver.Report("caption", failure);
      page.dialog.caption = resolver.Keep(std::u16string(kMissingString) + u" " + found->caption);
    }
    page.controls.reserve(found->controls.size());
    for (const res::ControlTemplate& control : found->controls) resolver.Control(control, page);
    page.dialog.controls = page.controls;
    resolved->dialogs_.push_back(page.dialog);
  }
  resolved->script_ = res::ResourceScript{resolved->dialogs_, {}, {}};
  res::RegisterResources(resolved->instance(), resolved->script_);
  return resolved;
}

// The registration's handle is this object's address: unique while it lives
// and never a loaded module.
HINSTANCE HostPages::instance() const { return reinterpret_cast<HINSTANCE>(const_cast<HostPages*>(this)); }

const ResolvedPage* HostPages::Page(int id) const {
  for (const ResolvedPage& page : pages_) {
    if (page.dialog.id == id) return &page;
  }
  return nullptr;
}

HINSTANCE LoadResourceLibrary(Model model, std::string& error) {
  const std::u16string name = Utf8ToUtf16(ResourceLibraryFileName(model));
  HMODULE library = LoadLibraryW(name.c_str());
  if (library == nullptr) {
    error = "cannot load " + Utf16ToUtf8(name);
    return nullptr;
  }
  using Entry = BOOL (*)(HINSTANCE, DWORD, LPVOID);
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))));
  constexpr DWORD kProcessAttach = 1;
  if (entry == nullptr || !entry(library, kProcessAttach, nullptr)) {
    error = Utf16ToUtf8(name) + " has no working entry (ordinal 1)";
    FreeLibrary(library);
    return nullptr;
  }
  return library;
}

std::u16string SheetButtonLabel(HINSTANCE library, unsigned id, const char16_t* fallback) {
  const res::StringResource* found = res::FindString(library, id);
  if (found == nullptr) return fallback;
  const std::u16string text = found->text;
  return text.substr(0, text.find(u'\n'));
}

}  // namespace tq::host
