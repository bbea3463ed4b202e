// Loading a model's two plug-ins the way the host driver does: by file name,
// the library entry called after loading and before unloading, the add-on
// table asked for with GetFuncTable and checked before anything else uses it.
#pragma once

#include <string>

#include "common/addon_table.h"
#include "common/model.h"

namespace tq::host {

// The folder the plug-ins are loaded from: TELEQUILL_PLUGIN_DIR when it is
// set, else the folder of the project's libraries (beside the program in the
// build tree, the private library folder when installed).
std::string PluginFolder();

struct Plugin {
  std::string path;
  void* handle = nullptr;  // the dlopen handle, which is also the module instance
  const AddOnTable* table = nullptr;
  bool initialized = false;  // DllInitialize was called with reason 1
};

// The Fax UI plug-in and the Fax render plug-in of one model, loaded for the
// lifetime of the object.
class PluginSet {
 public:
  PluginSet() = default;
  PluginSet(const PluginSet&) = delete;
  PluginSet& operator=(const PluginSet&) = delete;
  ~PluginSet();

  // Loads both plug-ins from `folder`. On failure `error` holds one line
  // naming the file, and nothing stays loaded.
  [[nodiscard]] bool Load(Model model, const std::string& folder, std::string& error);
  void Unload();

  const Plugin& ui() const { return ui_; }
  const Plugin& render() const { return render_; }

 private:
  Plugin ui_;
  Plugin render_;
};

// Checks a table the way the host relies on it: identifier 1388, the size
// of the table, the block sizes 172, 0 and 11816 and their defaults. Returns
// an empty string when it is sound, else what is wrong.
std::string CheckAddOnTable(const AddOnTable& table);

}  // namespace tq::host
