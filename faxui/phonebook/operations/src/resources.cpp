// The phonebook's part of the plug-in's resource script.
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_operations.h"

namespace tq::phonebook {

namespace {

constexpr res::StringResource kStrings[] = {
    {faxui::kPhonebookFilterString, u"Fichiers d'annuaire (*.AFD)|*.afd|"},
};

}  // namespace

res::ResourceScript PhonebookOperationsResources() { return {{}, kStrings, {}}; }

}  // namespace tq::phonebook
