// qlautocfg's resource script: its dialogs and its Spanish string table.
#include "resources.h"

#include "ids.h"
#include "win/user.h"

namespace tq::autocfg {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kRadioFirst = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kList = LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

const tq::res::ControlTemplate kMainControls[] = {
    {WC_STATICW, -1, u"", 0, 0, 1, 1, SS_LEFT},
};

const tq::res::ControlTemplate kSearchingControls[] = {
    {WC_STATICW, -1, u"Buscando...", 10, 12, 120, 8, SS_LEFT},
    {WC_BUTTONW, IDCANCEL, u"Cancelar", 45, 30, 50, 14, kDefault},
};

const tq::res::ControlTemplate kRetrievingControls[] = {
    {WC_STATICW, -1, u"Recuperando...", 10, 12, 120, 8, SS_LEFT},
    {WC_BUTTONW, IDCANCEL, u"Cancelar", 45, 30, 50, 14, kDefault},
};

const tq::res::ControlTemplate kMethodControls[] = {
    {WC_BUTTONW, -1, u"Método", 7, 7, 186, 44, BS_GROUPBOX},
    {WC_BUTTONW, method::kBroadcast, u"D&fusión", 15, 19, 170, 10, kRadioFirst},
    {WC_BUTTONW, method::kAddress, u"&Dirección de la impresora de red", 15, 33, 170, 10, kRadio},
    {WC_BUTTONW, IDOK, u"Aceptar", 89, 58, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Cancelar", 143, 58, 50, 14, kButton},
};

const tq::res::ControlTemplate kBroadcastControls[] = {
    {WC_BUTTONW, -1, u"Protocolo", 7, 7, 246, 26, BS_GROUPBOX},
    {WC_BUTTONW, broadcast::kTcpIp, u"TCP/&IP", 15, 18, 60, 10, kRadioFirst},
    {WC_BUTTONW, broadcast::kIpx, u"IP&X", 85, 18, 60, 10, kRadio},
    {WC_BUTTONW, broadcast::kUserAddress, u"Dir. de difusión definida por &usuario", 7, 40, 150, 10,
     BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP},
    {WC_EDITW, broadcast::kField1, u"", 160, 38, 20, 12, kEdit},
    {WC_EDITW, broadcast::kField1 + 1, u"", 183, 38, 20, 12, kEdit},
    {WC_EDITW, broadcast::kField1 + 2, u"", 206, 38, 20, 12, kEdit},
    {WC_EDITW, broadcast::kField1 + 3, u"", 229, 38, 20, 12, kEdit},
    {WC_BUTTONW, broadcast::kSearch, u"&Buscar", 203, 56, 50, 14, kButton},
    {WC_LISTBOXW, broadcast::kTcpIpList, u"", 7, 76, 246, 80, kList},
    {WC_LISTBOXW, broadcast::kIpxList, u"", 7, 76, 246, 80, kList, 0, true},
    {WC_BUTTONW, kBackButton, u"< &Atrás", 89, 164, 50, 14, kButton},
    {WC_BUTTONW, IDOK, u"Aceptar", 146, 164, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Cancelar", 203, 164, 50, 14, kButton},
};

const tq::res::ControlTemplate kAddressControls[] = {
    {WC_BUTTONW, -1, u"Protocolo", 7, 7, 206, 26, BS_GROUPBOX},
    {WC_BUTTONW, address::kTcpIp, u"TCP/&IP", 15, 18, 60, 10, kRadioFirst},
    {WC_BUTTONW, address::kIpx, u"IP&X", 85, 18, 60, 10, kRadio},
    {WC_STATICW, -1, u"Dirección IP:", 7, 42, 70, 8, SS_LEFT},
    {WC_EDITW, address::kField1, u"", 80, 40, 20, 12, kEdit},
    {WC_EDITW, address::kField1 + 1, u"", 103, 40, 20, 12, kEdit},
    {WC_EDITW, address::kField1 + 2, u"", 126, 40, 20, 12, kEdit},
    {WC_EDITW, address::kField1 + 3, u"", 149, 40, 20, 12, kEdit},
    {WC_STATICW, -1, u"Red IPX:", 7, 60, 70, 8, SS_LEFT},
    {WC_EDITW, address::kNetwork, u"", 80, 58, 50, 12, kEdit},
    {WC_STATICW, -1, u"Nodo IPX:", 7, 78, 70, 8, SS_LEFT},
    {WC_EDITW, address::kNode, u"", 80, 76, 70, 12, kEdit},
    {WC_BUTTONW, kBackButton, u"< &Atrás", 49, 98, 50, 14, kButton},
    {WC_BUTTONW, IDOK, u"Aceptar", 106, 98, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Cancelar", 163, 98, 50, 14, kButton},
};

const tq::res::DialogTemplate kDialogs[] = {
    {kMainWindowDialog, u"Tkautocfg", WS_OVERLAPPED | WS_CAPTION, 0, 0, 0, 10, 10, kMainControls},
    {kSearchingDialog, u"Buscando impresora", kDialogStyle, 0, 0, 0, 140, 52, kSearchingControls},
    {kRetrievingDialog, u"Recuperación de información de impresora", kDialogStyle, 0, 0, 0, 140, 52,
     kRetrievingControls},
    {kMethodDialog, u"Método de búsqueda de impresora", kDialogStyle, 0, 0, 0, 200, 79, kMethodControls},
    {kBroadcastDialog, u"Buscando impresora por difusión", kDialogStyle, 0, 0, 0, 260, 185, kBroadcastControls},
    {kAddressDialog, u"Buscando impresora por dirección de red", kDialogStyle, 0, 0, 0, 220, 119,
     kAddressControls},
};

const tq::res::StringResource kStrings[] = {
    {text::kNotExpectedCaption, u"Buscando impresora"},
    {text::kNotExpected, u"El puerto de impresora actual no está conectado a una impresora %s."},
    {text::kNotThatModelCaption, u"Buscando impresora"},
    {text::kNotThatModel, u"La impresora de red especificada no es una impresora %s."},
    {text::kBadAddressCaption, u"Buscando impresora"},
    {text::kBadAddress, u"Dirección de red no válida."},
    {text::kNotFoundCaption, u"Buscando impresoras"},
    {text::kNotFound, u"No se puede encontrar la impresora %s en la red."},
    {text::kTimeOutCaption, u"Buscando impresora"},
    {text::kTimeOut, u"Tiempo de espera."},
    {text::kPortCaption, u"Buscando impresora"},
    {text::kPortNotSupported, u"Autoconfiguración no es compatible con el puerto de impresora actual."},
    {text::kSelectCaption, u"Recuperación de información de impresora"},
    {text::kSelectPrinter, u"Para recuperar la información de configuración, se debe seleccionar una impresora."},
    {text::kCommunicationCaption, u""},
    {text::kCommunication, u"Error de comunicación. La operación no puede continuar."},
    {text::kUnexpectedCaption, u"Autoconfiguración"},
    {text::kUnexpected, u"Error inesperado.\nNo se puede realizar la autoconfiguración."},
    {text::kWorkgroupName,
     u"El nombre del grupo de trabajo contiene caracteres no válidos. Use solo letras, dígitos y los "
     u"símbolos ! # $ % & ' ( ) - . ^ _ { } ~; el nombre no puede constar solo de puntos."},
    {text::kSearchNetwork,
     u"\n¿Desea recuperar información de la configuración sobre otras impresoras %s de la red aunque no "
     u"estén conectadas al puerto de impresora actual?"},
    // Model names of the supported device table, in its order.
    {23, u"TQ-F2010"}, {24, u"TQ-F2010 G4"}, {25, u"TQ-F2510"}, {26, u"TQ-F2510 G4"},
    {27, u"TQ-F3010"}, {28, u"TQ-F3010 G4"}, {29, u"TQ-F3510"}, {30, u"TQ-F3510 G4"},
    {31, u"TQ-F4010"}, {32, u"TQ-F4010 G4"}, {33, u"TQ-F4510"}, {34, u"TQ-F4510 G4"},
    {35, u"TQ-F5010"}, {36, u"TQ-F5010 G4"}, {37, u"TQ-N3500"}, {38, u"TQ-P3500"},
    {text::kOtherModelName, u"compatible"},
};

}  // namespace

const tq::res::ResourceScript kResourceScript{kDialogs, kStrings, {}};

}  // namespace tq::autocfg
