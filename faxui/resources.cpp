// The plug-in's resource script: each part of the plug-in contributes the
// templates and strings it loads (the identifiers are in
// faxui/resource_ids.h); the plug-in's own are its help file's name.
#include "faxui/resource_ids.h"
#include "pages/options_page.h"
#include "phonebook/phonebook_ui.h"
#include "printflow/resources.h"
#include "recipients/resources.h"
#include "win/resource.h"

namespace {

#if defined(TELEQUILL_MODEL_P)
constexpr const char16_t* kHelpFileName = u"qlhelpp.HLP";
#else
constexpr const char16_t* kHelpFileName = u"qlhelpn.HLP";
#endif

const tq::res::StringResource kStrings[] = {
    {tq::faxui::kHelpFileNameString, kHelpFileName},
};

// Gathered at first use: the parts' data are constants of their own files,
// which another file's initialisers must not rely on.
const tq::res::ResourceScript& PluginScript() {
  static const tq::res::GatheredScript gathered{
      {{}, kStrings, {}},
      tq::faxui::RecipientResources(),
      tq::faxui::PrintflowResources(),
      tq::faxui::PagesResources(),
      tq::phonebook::PhonebookUiResources(),
  };
  return gathered.script();
}

}  // namespace

TQ_RESOURCE_SCRIPT(PluginScript())
