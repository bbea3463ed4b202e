// The plug-in's resource script: each part of the plug-in contributes the
// templates and strings it loads (the identifiers are in
// faxui/resource_ids.h); the plug-in's own are its help file's name and the Import application's.
#include "faxui/resource_ids.h"
#include "pages/options_page.h"
#include "phonebook/phonebook_dialog_resources.h"
#include "phonebook/phonebook_operations.h"
#include "plugin_model.h"
#include "printflow/resources.h"
#include "recipient_list/resources.h"
#include "recipients/resources.h"
#include "win/resource.h"

namespace {

// Gathered at first use: the parts' data are constants of their own files,
// which another file's initialisers must not rely on.
const tq::res::ResourceScript& PluginScript() {
  static const tq::res::StringResource strings[] = {
      {tq::faxui::kHelpFileNameString, tq::HelpFileName(tq::faxui::PluginModel())},
      {tq::faxui::kImportProgramString, tq::ImportProgramName(tq::faxui::PluginModel())},
  };
  static const tq::res::GatheredScript gathered{
      {{}, strings, {}},
      tq::faxui::RecipientResources(),
      tq::faxui::CommResources(),
      tq::faxui::PrintflowResources(),
      tq::faxui::PagesResources(),
      tq::phonebook::PhonebookOperationsResources(),
      tq::faxui::PhonebookDialogResources(),
  };
  return gathered.script();
}

}  // namespace

TQ_RESOURCE_SCRIPT(PluginScript())
