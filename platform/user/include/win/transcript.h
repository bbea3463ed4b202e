// The transcript of user interface events (TELEQUILL_TRANSCRIPT=PATH, or
// '-' for standard error): one line per event, in order, for every face:
//   dialog 101 open "Destinataire du fax"
//   dialog 101 end 1
//   box warning ok "CAPTION" "TEXT" -> ok
//   beep
//   help "qlhelpn.HLP" context 15500
//   help "qlhelpn.HLP" wm_help 15501    (also contextmenu N, popup N, quit, contents:
//                                        N is the context the help pairs give the control)
//   file open "Ouvrir" -> "/tmp/x/telefax.AFD"     (or -> cancel)
//   sheet changed 102
// Texts are quoted with \n, \t, \" and \\ escapes. A modeless dialog
// writes its open line too; only modal ones have an end line. A failed run
// ends with `fail "REASON"`. A program started with WinExec appends to the
// same transcript, with its own face and script (TELEQUILL_CHILD_UI and
// TELEQUILL_CHILD_SCRIPT become its TELEQUILL_UI and TELEQUILL_SCRIPT), so
// its lines fall between its parent's in the order things happen.
#pragma once

#include <string>
#include <string_view>

namespace tq::ui {

// Writes one line (without its line feed); nothing without a transcript.
void WriteTranscript(std::string_view line);
// `text` in double quotes with the transcript's escapes.
std::string QuoteText(std::u16string_view text);
std::string QuoteText(std::string_view utf8);

}  // namespace tq::ui
