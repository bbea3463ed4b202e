// The address dialog's texts that its template (resources.cpp) does not hold.
#pragma once

namespace tq::mapi::texts {

// Lists are shown with this mark after their name, people by their name.
constexpr char16_t kListMark[] = u" (liste)";

// The destination button's title when the caller gives none.
constexpr char16_t kDefaultDestinationTitle[] = u"Vers";

}  // namespace tq::mapi::texts
