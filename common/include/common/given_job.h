// A fax job given with its recipients, sent without the prompt: what the
// host hands the Fax UI plug-in through escapes 15005 and 15006, as text.
#pragma once

#include <string>
#include <string_view>

namespace tq {

// `to` lists recipients separated by ';': a fax number, "Name <number>", a
// speed-dial number "#12" (or "Name <#12>"), the name or line of an entry
// of the current phonebook, or a group "[Ventes]". `delay` is empty or
// "HH:MM". Both UTF-8.
struct GivenJob {
  std::string to;
  std::string delay;
};

// "to=LIST\n", then "delay=HH:MM\n" when there is a delay. A line end in a
// value would start another field: the host refuses such values first.
std::string GivenJobText(const GivenJob& job);
// False when the text is not of that form.
bool ParseGivenJobText(std::string_view text, GivenJob& job);

}  // namespace tq
