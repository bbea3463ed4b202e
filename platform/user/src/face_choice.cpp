// Choosing and loading the face: a library beside tq_user, picked by
// qlhost --ui, TELEQUILL_UI, or the presence of a display.
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "window.h"
#include "win/environment.h"
#include "win/transcript.h"

namespace tq::ui {
namespace {

using CreateFace = Face* (*)(const FaceOptions*);

// The face may be asked for from any thread (PostMessageW wakes it), so
// the choice is made under a lock and read through an atomic pointer.
struct FaceSlot {
  std::recursive_mutex mutex;
  std::unique_ptr<Face> owned;
  std::atomic<Face*> current{nullptr};
  bool windowsRequired = false;  // RequireShownWindows
};

FaceSlot& TheSlot() {
  static FaceSlot slot;
  return slot;
}

std::string LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || info.dli_fname == nullptr) return ".";
  std::string path = info.dli_fname;
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

const char kHowToChoose[] =
    "choose another face with --ui or TELEQUILL_UI (qt, headless or script:PATH)";

// Parses a face name; false for a name that is none of ours.
bool ParseName(const std::string& name, FaceOptions* options) {
  if (name == "headless") {
    options->name = "headless";
  } else if (name.rfind("script:", 0) == 0 && name.size() > 7) {
    options->name = "headless";
    options->scriptPath = name.substr(7);
  } else if (name == "qt") {
    options->name = "qt";
    if (auto script = EnvironmentValue("TELEQUILL_SCRIPT")) options->scriptPath = *script;
  } else {
    return false;
  }
  return true;
}

std::unique_ptr<Face> LoadFace(const FaceOptions& options, std::string* why) {
  if (options.name == "qt" && !EnvironmentHas("DISPLAY") && !EnvironmentHas("WAYLAND_DISPLAY") &&
      !EnvironmentHas("QT_QPA_PLATFORM")) {
    *why = "the Qt face needs a display (or QT_QPA_PLATFORM=offscreen)";
    return nullptr;
  }
  const std::string library = LibraryFolder() + "/tq_ui_" + options.name + ".so";
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    *why = "the " + options.name + " face cannot be loaded (" + library + " is missing or broken)";
    return nullptr;
  }
  auto create = reinterpret_cast<CreateFace>(dlsym(handle, "TelequillCreateFace"));
  Face* face = create != nullptr ? create(&options) : nullptr;
  if (face == nullptr) {
    *why = "the " + options.name + " face could not start (" + library + ")";
    return nullptr;
  }
  return std::unique_ptr<Face>(face);
}

}  // namespace

bool UseFace(const std::string& name) {
  FaceOptions options;
  if (!ParseName(name, &options)) {
    std::fprintf(stderr, "telequill: unknown user interface \"%s\"; %s\n", name.c_str(), kHowToChoose);
    return false;
  }
  std::string why;
  std::unique_ptr<Face> face = LoadFace(options, &why);
  if (!face) {
    std::fprintf(stderr, "telequill: %s; %s\n", why.c_str(), kHowToChoose);
    return false;
  }
  FaceSlot& slot = TheSlot();
  std::lock_guard lock(slot.mutex);
  slot.owned = std::move(face);
  slot.current = slot.owned.get();
  return true;
}

void RequireShownWindows() {
  FaceSlot& slot = TheSlot();
  std::lock_guard lock(slot.mutex);
  slot.windowsRequired = true;
}

void SetFace(Face* face) {
  FaceSlot& slot = TheSlot();
  std::lock_guard lock(slot.mutex);
  slot.current = face;
  if (face == nullptr || face != slot.owned.get()) slot.owned.reset();
}

Face& CurrentFace() {
  FaceSlot& slot = TheSlot();
  if (Face* face = slot.current.load()) return *face;
  std::lock_guard lock(slot.mutex);
  if (Face* face = slot.current.load()) return *face;
  FaceOptions options;
  const auto asked = EnvironmentValue("TELEQUILL_UI");
  bool explicitChoice = asked.has_value();
  if (explicitChoice) {
    if (!ParseName(*asked, &options)) {
      std::fprintf(stderr, "telequill: unknown user interface \"%s\" in TELEQUILL_UI; %s\n", asked->c_str(), kHowToChoose);
      std::fflush(nullptr);
      _exit(2);
    }
  } else {
    options.name = EnvironmentHas("DISPLAY") || EnvironmentHas("WAYLAND_DISPLAY") ? "qt" : "headless";
    if (options.name == "headless" && slot.windowsRequired) {
      std::fprintf(stderr,
                   "telequill: no window can be shown: there is no display (DISPLAY or WAYLAND_DISPLAY) and no "
                   "face was chosen; choose one with --ui or TELEQUILL_UI (qt with QT_QPA_PLATFORM=offscreen, "
                   "headless or script:PATH)\n");
      std::fflush(nullptr);
      _exit(2);
    }
  }
  std::string why;
  slot.owned = LoadFace(options, &why);
  if (!slot.owned && !explicitChoice && options.name == "qt") {
    // Qt was only the default: a program still runs without it.
    options.name = "headless";
    slot.owned = LoadFace(options, &why);
  }
  if (!slot.owned) {
    std::fprintf(stderr, "telequill: %s; %s\n", why.c_str(), kHowToChoose);
    std::fflush(nullptr);
    _exit(2);
  }
  slot.current = slot.owned.get();
  return *slot.owned;
}

namespace {

// A program run under a script reads the script as the layer loads, so a
// line that cannot be parsed stops it before the program does anything.
__attribute__((constructor)) void ReadScriptEarly() {
  const auto asked = EnvironmentValue("TELEQUILL_UI");
  if (asked && asked->rfind("script:", 0) == 0) CurrentFace();
}

}  // namespace

void FailRun(const std::string& reason) {
  WriteTranscript("fail " + QuoteText(std::string_view(reason)));
  std::fprintf(stderr, "%s\n", reason.c_str());
  std::fflush(nullptr);
  _exit(3);
}

}  // namespace tq::ui
