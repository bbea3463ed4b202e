#include "printflow/account_user.h"

#include <cstring>

#include "win/kernel.h"

namespace tq::faxui {

namespace {

// Appends at most enough of `from` that `text` stays within 31 characters.
void AppendCut(char* text, int& length, const char* from) {
  for (; *from != '\0' && length < kAccountUserLength; ++from) text[length++] = *from;
  text[length] = '\0';
}

}  // namespace

void ComposeAccountUser(const char* userName, const char* computerName, char* text) {
  int length = 0;
  text[0] = '\0';
  AppendCut(text, length, userName != nullptr && userName[0] != '\0' ? userName : "UnknownUser");
  if (length < kAccountUserLength) AppendCut(text, length, "\\");
  if (length < kAccountUserLength) AppendCut(text, length, computerName != nullptr ? computerName : "UnknownHost");
}

void ComposeAccountUserOfCaller(char* text) {
  // Names of any length are read whole and cut afterwards.
  char user[257] = {};
  DWORD userSize = sizeof user;
  const bool haveUser = GetUserNameA(user, &userSize) != FALSE;
  char computer[257] = {};
  DWORD computerSize = sizeof computer;
  const bool haveComputer = GetComputerNameA(computer, &computerSize) != FALSE;
  ComposeAccountUser(haveUser ? user : nullptr, haveComputer ? computer : nullptr, text);
}

bool AccountUserIsEmpty(const unsigned char* privateArea) {
  const unsigned char* text = privateArea + hsb::priv::kAccountUser;
  return text[0] == 0 && text[1] == 0 && text[2] == 0 && text[3] == 0;
}

}  // namespace tq::faxui
