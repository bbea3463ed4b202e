// The pages' part of the plug-in's resource script: the options page (102,
// 310 x 200 dialog units) and the "À propos de" page (109, 315 x 200), both
// child pages created disabled, the descriptions of the options page's
// controls, and bitmap 101 painted on the "À propos de" page.
#include <vector>

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"
#include "pages/options_page.h"
#include "pages/about_picture.h"

namespace tq::faxui {

namespace {

using namespace styles;

constexpr DWORD kPage = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kCentred = SS_CENTER | SS_NOPREFIX;

constexpr res::ControlTemplate kOptionsControls[] = {
    {WC_BUTTONW, opt::kResolutionGroup, u"Résolution de fax", 7, 7, 146, 78, kGroup},
    {WC_BUTTONW, opt::kResolutionNormal, u"&Normale - 100 x 200 ppp", 15, 21, 132, 10, kFirstRadio},
    {WC_BUTTONW, opt::kResolutionFine, u"É&levée - 200 x 200 ppp", 15, 36, 132, 10, kRadio},
    {WC_BUTTONW, opt::kResolutionSuperfine, u"&Très élevée - 400 x 400 ppp", 15, 51, 132, 10, kRadio},
    {WC_BUTTONW, opt::kResolutionUltrafine, u"Trè&s élevée - 600 x 600 ppp", 15, 66, 132, 10, kRadio},
    {WC_BUTTONW, opt::kReportGroup, u"Relevé de confirmation", 159, 7, 144, 78, kGroup},
    {WC_BUTTONW, opt::kReportAlways, u"Tou&jours", 167, 21, 130, 10, kFirstRadio},
    {WC_BUTTONW, opt::kReportOnError, u"En cas d'e&rreur", 167, 36, 130, 10, kRadio},
    {WC_BUTTONW, opt::kReportNever, u"Ja&mais", 167, 51, 130, 10, kRadio},
    {WC_BUTTONW, opt::kHeaderCheck, u"Envo&yer l'en-tête", 15, 96, 140, 10, kCheck | WS_GROUP},
    {WC_BUTTONW, opt::kPhonebookButton, u"Ann&uaire", 7, 178, 80, 14, kButton | WS_GROUP},
    {WC_BUTTONW, opt::kDefaultsButton, u"Valeurs par &défaut", 223, 178, 80, 14, kButton},
};

constexpr res::ControlTemplate kAboutControls[] = {
    {WC_STATICW, about::kProductLine, u"Telequill, la télécopie depuis l'imprimante", 7, 134, 301, 10, kCentred},
    {WC_STATICW, about::kVersionLine, u"Version 0.1", 7, 146, 301, 10, kCentred},
    {WC_STATICW, about::kRightsLine1, u"© 2026 Les auteurs de Telequill.", 7, 164, 301, 10, kCentred},
    {WC_STATICW, about::kRightsLine2, u"Distribué sous les conditions de sa licence.", 7, 175, 301, 10, kCentred},
};

const res::DialogTemplate kOptionsPage{kOptionsPageDialog, u"Options fax", kPage, 0, 0, 0, 310, 200,
                                       kOptionsControls, u"MS Sans Serif", 8};
const res::DialogTemplate kAboutPage{kAboutPageDialog, u"À propos de", kPage, 0, 0, 0, 315, 200,
                                     kAboutControls, u"MS Sans Serif", 8};

constexpr res::StringResource kStrings[] = {
    {optstr::kResolutionGroup, u"Permet de sélectionner la résolution de la télécopie."},
    {optstr::kResolutionNormal, u"Pour une vitesse de transmission plus rapide."},
    {optstr::kResolutionFine, u"Résolution standard (valeur par défaut)."},
    {optstr::kResolutionSuperfine, u"Améliore la qualité de la télécopie."},
    {optstr::kResolutionUltrafine, u"La meilleure qualité de télécopie pouvant être envoyée par l'imprimante."},
    {optstr::kReportGroup, u"Permet de sélectionner les options de relevé de confirmation."},
    {optstr::kReportAlways, u"Un relevé de confirmation est toujours envoyé."},
    {optstr::kReportOnError, u"Un relevé de confirmation est envoyé uniquement si une erreur survient."},
    {optstr::kReportNever, u"Aucun relevé de confirmation n'est envoyé."},
    {optstr::kHeaderCheck, u"Cochez cette case pour inclure un en-tête dans la télécopie."},
    {optstr::kDefaultsButton, u"Restaure les valeurs par défaut des paramètres."},
};

}  // namespace

res::ResourceScript PagesResources() {
  static const res::DialogTemplate dialogs[] = {kOptionsPage, kAboutPage};
  static const std::vector<BYTE> pixels = AboutPicturePixels();
  static const res::BitmapResource bitmaps[] = {{kAboutBitmap, kAboutPictureWidth, kAboutPictureHeight, pixels}};
  return {dialogs, kStrings, bitmaps};
}

}  // namespace tq::faxui
