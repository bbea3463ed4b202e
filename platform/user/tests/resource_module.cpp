// A module's resource script as every plug-in writes it: data, and the
// exported lookup that the layer finds from the module's handle.
#include "win/resource.h"
#include "win/user.h"

namespace {

const tq::res::ControlTemplate kAboutControls[] = {
    {WC_STATICW, 901, u"Telequill", 10, 10, 120, 8, SS_LEFT},
    {WC_BUTTONW, IDOK, u"OK", 50, 30, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
};
const tq::res::DialogTemplate kDialogs[] = {
    {109, u"À propos de", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 140, 50, kAboutControls},
};
const tq::res::StringResource kStrings[] = {
    {1001, u"Nom :"},
    {1002, u"Numéro de fax :"},
};
// A 2 x 1 bitmap: one blue and one red pixel.
const BYTE kBandPixels[] = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
const tq::res::BitmapResource kBitmaps[] = {{103, 2, 1, kBandPixels}};
const tq::res::MenuItemTemplate kMenuItems[] = {{401, u"&Ouvrir"}, {0, u"", MF_SEPARATOR}, {402, u"&Fermer", MF_GRAYED}};
const tq::res::MenuResource kMenus[] = {{400, kMenuItems}};
// A 1 x 2 cursor: an opaque black pixel over a transparent one.
const BYTE kArrowPixels[] = {0, 0, 0, 0xFF, 0, 0, 0, 0};
const tq::res::CursorResource kCursors[] = {{105, 1, 2, 0, 0, kArrowPixels}};
const tq::res::ResourceScript kScript{kDialogs, kStrings, kBitmaps, kMenus, kCursors};

}  // namespace

TQ_RESOURCE_SCRIPT(kScript)
