#include "host/phonebook_command.h"

#include "win/kernel.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::host {

namespace {

constexpr int kPhonebookDialog = 106;

}  // namespace

bool RunPhonebookDialog(const PluginSet& plugins, std::string& error) {
  auto module = static_cast<HMODULE>(plugins.ui().handle);
  auto proc = reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(GetProcAddress(module, "PhonebookDlgProc")));
  auto instance = static_cast<HINSTANCE>(plugins.ui().handle);
  if (proc == nullptr || res::FindDialog(instance, MAKEINTRESOURCEW(kPhonebookDialog)) == nullptr) {
    error = plugins.ui().path + " has no phonebook dialog";
    return false;
  }
  // No parameter: the dialog locates the current phonebook itself.
  DialogBoxParamW(instance, MAKEINTRESOURCEW(kPhonebookDialog), nullptr, proc, 0);
  return true;
}

}  // namespace tq::host
