// The plug-in's resource script: its string table (and, as the dialogs are
// built, their templates).
#include "printflow/prompt.h"
#include "recipients/recipient_resources.h"
#include "win/resource.h"

namespace {

#if defined(TELEQUILL_MODEL_P)
constexpr const char16_t* kHelpFileName = u"qlhelpp.HLP";
#else
constexpr const char16_t* kHelpFileName = u"qlhelpn.HLP";
#endif

const tq::res::StringResource kStrings[] = {
    {700, kHelpFileName},
    tq::faxui::resources::kTransmissionModeStrings[0],
    tq::faxui::resources::kTransmissionModeStrings[1],
    tq::faxui::resources::kTransmissionModeStrings[2],
};

// Built at first use: the dialog templates come from the parts' own files,
// whose constants another file's initialisers must not rely on.
const tq::res::ResourceScript& PluginScript() {
  static const tq::res::DialogTemplate dialogs[] = {
      tq::faxui::FaxPromptDialogTemplate(),
      tq::faxui::resources::kRecipientDialog,
      tq::faxui::resources::kCommDialog,
  };
  static const tq::res::ResourceScript script{dialogs, kStrings, {}};
  return script;
}

}  // namespace

TQ_RESOURCE_SCRIPT(PluginScript())
