// vCard CHARSET names to the kernel's code pages.
#pragma once

#include <string>
#include <string_view>

namespace tq::vcard {

// The code page a CHARSET name stands for; 0 when it is not known.
unsigned CodePageOfCharset(std::string_view charset);

// `bytes` as UTF-8. A known CHARSET converts through its code page. With no
// CHARSET (3.0 and 4.0 are UTF-8) or an unknown one, valid UTF-8 is kept
// and anything else is read in the system ANSI code page, as the 2.1
// writers of this platform's address books produce it.
std::string ToUtf8(std::string_view bytes, std::string_view charset);

}  // namespace tq::vcard
