// The host's own pages, made from the templates of the language resource
// library (qlresn.so, qlresp.so): each "#nnnn" text replaced by string nnnn
// of the library, each spinner's six numbers read, and every control that
// cannot be trusted (a missing string, a spinner text refused, a class the
// host does not know) kept in its place but marked as broken, disabled, and
// told about in one line on standard error. A broken template never stops
// the page from being shown.
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/model.h"
#include "qlres/template_texts.h"
#include "win/resource.h"

namespace tq::host {

struct SpinnerBinding {
  int spinner = 0;  // the spinner control's identifier
  qlres::SpinnerParameters parameters;
};

struct ResolvedPage {
  res::DialogTemplate dialog{};
  std::vector<res::ControlTemplate> controls;
  std::vector<int> broken;  // identifiers of the controls marked as broken
  std::vector<SpinnerBinding> spinners;
};

// The resolved pages of one library, registered as the resources of
// instance(), so that a property sheet or a dialog can be made from them by
// their template identifiers.
class HostPages {
 public:
  HostPages(const HostPages&) = delete;
  HostPages& operator=(const HostPages&) = delete;
  ~HostPages();

  // Resolves `pages` of `library` for `model`. `source`
  // names the library in the lines written to `errors`. A page the library
  // lacks is left out, with a line.
  static std::unique_ptr<HostPages> Resolve(HINSTANCE library, Model model, std::span<const int> pages,
                                            const std::string& source, std::FILE* errors);

  HINSTANCE instance() const;
  const ResolvedPage* Page(int id) const;

 private:
  HostPages() = default;
  std::deque<ResolvedPage> pages_;
  std::deque<std::u16string> texts_;  // the resolved texts the templates point at
  std::vector<res::DialogTemplate> dialogs_;
  res::ResourceScript script_{};
};

// The language resource library of `model`, loaded and initialised through
// its entry (ordinal 1); null, with `error` set, when it cannot be.
HINSTANCE LoadResourceLibrary(Model model, std::string& error);

// A property sheet button's label from its string "text\nwidth": the text
// before the line break; `fallback` when the library lacks the string.
std::u16string SheetButtonLabel(HINSTANCE library, unsigned id, const char16_t* fallback);

}  // namespace tq::host
