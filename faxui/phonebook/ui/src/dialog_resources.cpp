// The phonebook dialogs' part of the plug-in's resource script. Sizes are in
// dialog units. The separator bands are pictures of bitmap 103 placed at
// one ninth and eight ninths of their dialog's height.
#include <array>

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_dialog_resources.h"

namespace tq::faxui {

namespace {

using namespace styles;

constexpr DWORD kEntryListStyle =
    LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kChosenListStyle = LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kSeparator = SS_BITMAP;
constexpr const char16_t* kSeparatorPicture = u"#103";
constexpr const char16_t* kSearchLabel = u"Entrez un nom ou sélectionnez-le dans la liste :";

// The separator: a grey line over a white one, 800 pixels wide.
constexpr int kBandWidth = 800;
constexpr int kBandHeight = 2;
constexpr auto kBandPixels = [] {
  std::array<BYTE, kBandWidth * kBandHeight * 4> pixels{};
  for (int x = 0; x < kBandWidth; ++x) {
    for (int channel = 0; channel < 3; ++channel) {
      pixels[static_cast<std::size_t>(x * 4 + channel)] = 0x80;
      pixels[static_cast<std::size_t>((kBandWidth + x) * 4 + channel)] = 0xFF;
    }
  }
  return pixels;
}();

// ---- 600: the selection form, and 106: the management form ----

constexpr res::ControlTemplate kSelectionControls[] = {
    {WC_STATICW, -1, kSearchLabel, 7, 7, 180, 8, kLabel},
    {WC_EDITW, pb::kSearchEdit, u"", 7, 17, 150, 12, kEdit},
    {WC_LISTBOXW, pb::kEntryList, u"", 7, 33, 150, 110, kEntryListStyle},
    {WC_BUTTONW, pb::kNewButton, u"&Nouveau...", 7, 147, 72, 14, kButton},
    {WC_BUTTONW, pb::kDeleteButton, u"Re&tirer de l'annuaire", 85, 147, 72, 14, kButton},
    {WC_BUTTONW, pb::kPropertiesButton, u"&Propriétés", 7, 164, 56, 14, kButton},
    {WC_BUTTONW, pb::kImportButton, u"&Importer dans l'annuaire", 67, 164, 90, 14, kButton},
    {WC_BUTTONW, pb::kAddButton, u"&Vers->", 163, 80, 40, 14, kButton},
    {WC_STATICW, -1, u"Destinataires sélectionnés :", 209, 23, 144, 8, kLabel},
    {WC_LISTBOXW, pb::kRecipientList, u"", 209, 33, 144, 110, kChosenListStyle},
    {WC_BUTTONW, pb::kRemoveButton, u"&Retirer de la liste", 209, 147, 80, 14, kButton},
    {WC_BUTTONW, pb::kNewFileButton, u"No&uvel annuaire...", 7, 186, 110, 14, kButton},
    {WC_BUTTONW, pb::kOpenFileButton, u"&Ouvrir un annuaire...", 123, 186, 110, 14, kButton},
    {WC_BUTTONW, pb::kSaveAsButton, u"&Enregistrer l'annuaire sous...", 239, 186, 114, 14, kButton},
    {WC_STATICW, -1, kSeparatorPicture, 0, 206, 360, 3, kSeparator},
    {WC_BUTTONW, IDOK, u"OK", 185, 213, 52, 14, kDefaultButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 243, 213, 52, 14, kButton},
    {WC_BUTTONW, pb::kHelpButton, u"Aide", 301, 213, 52, 14, kButton},
    {WC_STATICW, pb::kImportDone, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_STATICW, pb::kImportDoneOther, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_LISTBOXW, kScratchList, u"", 0, 0, 0, 0, 0, 0, true},
};

constexpr res::ControlTemplate kManagementControls[] = {
    {WC_STATICW, -1, kSearchLabel, 7, 7, 200, 8, kLabel},
    {WC_EDITW, pb::kSearchEdit, u"", 7, 17, 286, 12, kEdit},
    {WC_LISTBOXW, pb::kEntryList, u"", 7, 33, 286, 110, kEntryListStyle},
    {WC_BUTTONW, pb::kNewButton, u"&Nouveau...", 7, 147, 92, 14, kButton},
    {WC_BUTTONW, pb::kDeleteButton, u"Re&tirer de l'annuaire", 104, 147, 92, 14, kButton},
    {WC_BUTTONW, pb::kPropertiesButton, u"&Propriétés", 201, 147, 92, 14, kButton},
    {WC_BUTTONW, pb::kImportButton, u"&Importer dans l'annuaire", 7, 164, 92, 14, kButton},
    {WC_BUTTONW, pb::kNewFileButton, u"No&uvel annuaire...", 7, 186, 92, 14, kButton},
    {WC_BUTTONW, pb::kOpenFileButton, u"&Ouvrir un annuaire...", 104, 186, 92, 14, kButton},
    {WC_BUTTONW, pb::kSaveAsButton, u"&Enregistrer l'annuaire sous...", 201, 186, 92, 14, kButton},
    {WC_STATICW, -1, kSeparatorPicture, 0, 206, 300, 3, kSeparator},
    {WC_BUTTONW, IDCANCEL, u"Fermer", 183, 213, 52, 14, kDefaultButton},
    {WC_BUTTONW, pb::kHelpButton, u"Aide", 241, 213, 52, 14, kButton},
    {WC_STATICW, pb::kImportDone, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_LISTBOXW, kScratchList, u"", 0, 0, 0, 0, 0, 0, true},
};

// ---- 103: details view and entry editor ----

constexpr res::ControlTemplate kEntryControls[] = {
    {WC_STATICW, entry::kNameLabel, u"Nom :", 7, 9, 60, 8, kLabel},
    {WC_EDITW, entry::kName, u"", 70, 7, 203, 12, kEdit},
    {WC_STATICW, entry::kCompanyLabel, u"Société :", 7, 27, 60, 8, kLabel},
    {WC_EDITW, entry::kCompany, u"", 70, 25, 203, 12, kEdit},
    {WC_STATICW, entry::kFaxLabel, u"N° de fax :", 7, 45, 60, 8, kLabel},
    {WC_EDITW, entry::kFax, u"", 70, 43, 118, 12, kEdit},
    {WC_BUTTONW, entry::kCommButton, u"Paramètres de &comm.", 193, 42, 80, 14, kButton},
    {WC_EDITW, entry::kViewFax, u"", 70, 43, 203, 12, kEdit | kOff, 0, true},
    {WC_STATICW, entry::kTelephoneLabel, u"N° de tél. :", 7, 63, 60, 8, kLabel},
    {WC_EDITW, entry::kTelephone, u"", 70, 61, 203, 12, kEdit},
    {WC_STATICW, entry::kEmailLabel, u"Adresse\nélectronique :", 7, 78, 60, 16, kLabel},
    {WC_EDITW, entry::kEmail, u"", 70, 79, 203, 12, kEdit},
    {WC_STATICW, entry::kRemarksLabel, u"Remarques :", 7, 99, 60, 8, kLabel},
    {WC_EDITW, entry::kRemarks, u"", 70, 97, 203, 74,
     ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, IDOK, u"OK", 109, 179, 52, 14, kDefaultButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 165, 179, 52, 14, kButton},
    {WC_BUTTONW, entry::kHelpButton, u"Aide", 221, 179, 52, 14, kButton},
};

// ---- 105: the new-entry choice ----

constexpr res::ControlTemplate kNewEntryControls[] = {
    {WC_BUTTONW, -1, u"Type d'entrée", 7, 7, 110, 81, BS_GROUPBOX},
    {WC_BUTTONW, entry::kIndividual, u"Numéro &individuel", 16, 30, 96, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, entry::kGroup, u"&Groupe", 16, 56, 96, 10, BS_AUTORADIOBUTTON},
    {WC_BUTTONW, IDOK, u"OK", 123, 7, 50, 14, kDefaultButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 123, 24, 50, 14, kButton},
};

// ---- 107: the group editor ----

constexpr res::ControlTemplate kGroupEditorControls[] = {
    {WC_STATICW, -1, u"Nom du &groupe :", 7, 9, 60, 8, kLabel},
    {WC_EDITW, pb::kGroupName, u"", 70, 7, 130, 12, kEdit},
    {WC_STATICW, -1, kSeparatorPicture, 0, 23, 348, 3, kSeparator},
    {WC_STATICW, -1, kSearchLabel, 7, 31, 190, 8, kLabel},
    {WC_EDITW, pb::kSearchEdit, u"", 7, 41, 150, 12, kEdit},
    {WC_LISTBOXW, pb::kEntryList, u"", 7, 57, 150, 110,
     LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, pb::kPropertiesButton, u"&Propriétés", 7, 171, 60, 14, kButton},
    {WC_BUTTONW, pb::kAddButton, u"&Vers->", 163, 104, 40, 14, kDefaultButton},
    {WC_STATICW, pb::kMembersLabel, u"&Membres du groupe :", 209, 47, 132, 8, kLabel},
    {WC_LISTBOXW, pb::kRecipientList, u"", 209, 57, 132, 110, kChosenListStyle},
    {WC_BUTTONW, pb::kRemoveButton, u"&Supprimer", 209, 171, 60, 14, kButton},
    {WC_STATICW, -1, kSeparatorPicture, 0, 191, 348, 3, kSeparator},
    {WC_BUTTONW, IDOK, u"OK", 173, 196, 52, 14, kButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 231, 196, 52, 14, kButton},
    {WC_BUTTONW, pb::kGroupHelpButton, u"Aide", 289, 196, 52, 14, kButton},
};

// ---- 700: the group viewer ----

constexpr res::ControlTemplate kGroupViewerControls[] = {
    {WC_STATICW, pb::kGroupName, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_STATICW, -1, kSearchLabel, 7, 7, 157, 16, kLabel},
    {WC_EDITW, pb::kSearchEdit, u"", 7, 25, 157, 12, kEdit},
    {WC_LISTBOXW, pb::kEntryList, u"", 7, 41, 157, 118,
     LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, pb::kPropertiesButton, u"&Propriétés", 7, 165, 60, 14, kButton},
    {WC_BUTTONW, IDCANCEL, u"Fermer", 104, 165, 60, 14, kDefaultButton},
};

constexpr res::DialogTemplate kDialogs[] = {
    {kEntryDialogId, u"Informations destinataire", kModalDialog, 0, 0, 0, 280, 200, kEntryControls},
    {kNewEntryDialogId, u"Nouvelle entrée", kModalDialog, 0, 0, 0, 180, 95, kNewEntryControls},
    {kPhonebookDialogId, u"Annuaire", kModalDialog, 0, 0, 0, 300, 232, kManagementControls},
    {kGroupEditorDialogId, u"Modification des propriétés du groupe", kModalDialog, 0, 0, 0, 348, 215,
     kGroupEditorControls},
    {kPhonebookSelectionDialogId, u"Annuaire", kModalDialog, 0, 0, 0, 360, 232, kSelectionControls},
    {kGroupViewerDialogId, u"Groupe", kModalDialog, 0, 0, 0, 171, 186, kGroupViewerControls},
};

constexpr res::BitmapResource kBitmaps[] = {{kSeparatorBitmap, kBandWidth, kBandHeight, kBandPixels}};

}  // namespace

res::ResourceScript PhonebookDialogResources() { return {kDialogs, {}, kBitmaps}; }

}  // namespace tq::faxui
