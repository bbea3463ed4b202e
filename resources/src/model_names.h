// The names that differ between the model N and model P builds of the
// library: the help file and the prefix of the host's custom control classes.
#pragma once

#if defined(TELEQUILL_MODEL_P)
#define QLRES_HELP_FILE u"qlhelpp.HLP"
#define QLRES_CLASS(kind) u"qlhostp_" kind
#else
#define QLRES_HELP_FILE u"qlhelpn.HLP"
#define QLRES_CLASS(kind) u"qlhostn_" kind
#endif
