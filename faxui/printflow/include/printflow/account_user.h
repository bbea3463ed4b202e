// The account user text of a job (user\computer, at most 31 characters),
// written into the host's private area when the host has left it empty.
#pragma once

#include "common/host_settings.h"

namespace tq::faxui {

inline constexpr int kAccountUserLength = static_cast<int>(hsb::priv::kAccountUserSize) - 1;  // 31

// Builds the text from the user and computer names (ANSI; null when the name
// could not be read): the user name cut to 31 characters, or "UnknownUser";
// then, while there is room, a backslash and the computer name (or
// "UnknownHost"), cut so that the whole holds at most 31 characters.
// `text` has room for 32 bytes.
void ComposeAccountUser(const char* userName, const char* computerName, char* text);

// The same from the caller's names as the system gives them.
void ComposeAccountUserOfCaller(char* text);

// True when the text slot is unset: its first four bytes are all zero.
bool AccountUserIsEmpty(const unsigned char* privateArea);

}  // namespace tq::faxui
