// The print-time part of the plug-in's resource script: dialog 108,
// "Confirmation de télécopie", 250 x 195 dialog units, a system-modal
// pop-up with caption and frame and no system menu.
#include "printflow/resources.h"

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"

namespace tq::faxui {

namespace {

using namespace styles;

constexpr res::ControlTemplate kPromptControls[] = {
    {WC_STATICW, -1, u"Vous avez choisi d'envoyer ce travail comme télécopie aux", 10, 8, 230, 9, kLabel},
    {WC_STATICW, -1, u"destinataires suivants :", 10, 18, 230, 9, kLabel},
    {WC_LISTBOXW, kPromptRecipientList, u"", 10, 30, 230, 96,
     LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, kPromptDelayedSend, u"Envoi &différé", 10, 138, 70, 10, kCheck},
    {WC_STATICW, -1, u"Heure :\n(hh:mm)", 92, 136, 40, 18, kLabel},
    {WC_EDITW, kPromptHour, u"", 136, 137, 18, 12, kEdit},
    {WC_STATICW, -1, u":", 157, 139, 4, 9, kLabel},
    {WC_EDITW, kPromptMinute, u"", 164, 137, 18, 12, kEdit},
    {WC_BUTTONW, kPromptOk, u"OK", 20, 172, 60, 14, kDefaultButton},
    {WC_BUTTONW, kPromptAbandon, u"Abandonner", 95, 172, 60, 14, kButton},
    {WC_BUTTONW, kPromptHelp, u"Aide", 170, 172, 60, 14, kButton},
};

constexpr res::DialogTemplate kPromptDialog{
    kFaxPromptDialog, u"Confirmation de télécopie", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SYSMODAL, 0, 135, 50,
    250, 195, kPromptControls};

}  // namespace

res::ResourceScript PrintflowResources() {
  static const res::DialogTemplate dialogs[] = {kPromptDialog};
  return {dialogs, {}, {}};
}

}  // namespace tq::faxui
