// A fax job given with its recipients, sent without any dialog: the
// recipient list and delayed send that a script, a queue option or the
// command line hands over with the job. Every recipient passes the checks
// of the recipient dialog and becomes the record the dialog would have
// made of it, so the job's PJL and its monitor announcement are those of
// the same recipients entered by hand.
#pragma once

#include <string>
#include <string_view>

#include "common/given_job.h"
#include "printflow/prompt.h"

namespace tq::faxui {

// Fills the session's recipient list and delayed send. A recipient named
// twice (by itself or through a group) is sent to once. False with one
// line naming the recipient or option at fault; the session is then of no
// use. Names and groups are looked up in the current phonebook of the user
// running it.
bool ResolveGivenJob(const GivenJob& job, PromptSession& session, std::string& error);

}  // namespace tq::faxui
