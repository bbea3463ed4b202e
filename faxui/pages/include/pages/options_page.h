// The fax options page (template 102) and the "À propos de" page (109) in
// the host's document property sheet: the property-sheet hook that hands
// the host the page set, the page procedure, the page sets and the pages'
// resources.
#pragma once

#include "common/addon_table.h"
#include "common/host_pages.h"
#include "win/resource.h"
#include "win/types.h"

namespace tq::faxui {

// The property-sheet hook (slot 56 of the add-on table): the page set for
// the settings' fax-feature field, handed to the host's add-pages service.
// Returns 1.
std::int32_t AddOnPropertyPages(DeviceObject* device, void* pageSink, void* settings);

// The procedure of both pages.
INT_PTR OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The page set offered with and without the fax feature.
const PageSet& PageSetFor(bool faxFeature);

// The pages' part of the plug-in's resource script: templates 102 and 109,
// the control descriptions and bitmap 101.
res::ResourceScript PagesResources();

// "Annuaire": the phonebook's management form, modal over the page.
void OpenPhonebookManagement(HWND page);

}  // namespace tq::faxui
