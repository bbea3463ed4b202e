// The about box, named ABOUTBOX. The host formats its caption (string 703)
// and fills the version line and the list of the driver's components.
#include "library_model.h"
#include "parts.h"
#include "win/user.h"

namespace tq::qlres {
namespace {

const res::ControlTemplate kControls[] = {
    {HostClass(CustomControl::kImage), 100, u"", 8, 8, 32, 32},
    {WC_STATICW, 101, u"#715", 48, 10, 180, 8, SS_LEFT},
    {WC_STATICW, 102, u"#705", 48, 22, 180, 8, SS_LEFT},
    {WC_STATICW, -1, u"#740", 8, 46, 180, 8, SS_LEFT},
    {WC_LISTBOXW, 103, u"", 8, 58, 220, 64, WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, IDOK, u"OK", 94, 130, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
};

const res::DialogTemplate kAboutBox[] = {
    {0, u"#703", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 236, 152, kControls, u"", 0,
     u"ABOUTBOX"},
};

}  // namespace

std::span<const res::DialogTemplate> AboutBoxTemplate() { return kAboutBox; }

}  // namespace tq::qlres
