// The two short texts that describe a fax job's destination to the document
// monitor: who it goes to and to which number.
#pragma once

#include "common/recipient_list.h"

namespace tq::faxui {

inline constexpr int kSummaryLength = 31;  // characters; the slots hold 32 bytes

// The first recipient's name ("Nom inconnu" when it is empty, "1er nom
// inconnu" when it is empty and there are several), and with several
// recipients " and N others" after it, the name cut so that the whole fits.
void RecipientSummary(const RecipientListBlock& list, char* text);

// The first recipient's fax number with letters turned into keypad digits;
// with several recipients cut to 27 characters and followed by " ...".
void NumberSummary(const RecipientListBlock& list, char* text);

}  // namespace tq::faxui
