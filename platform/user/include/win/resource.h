// Resource scripts: each module's dialog templates, string table, bitmaps,
// menus and cursors, written as C++ data in the module's resources.cpp.
//
// How a module's resources are found from its instance handle:
// - A shared library (plug-in, resource library) defines, in resources.cpp,
//       TQ_RESOURCE_SCRIPT(kScript)
//   which exports the C symbol `TelequillResources`. Its HINSTANCE is its
//   dlopen() handle (what LoadLibraryW returns and what the host passes to
//   DllInitialize); the layer finds the script with dlsym(handle, ...).
// - A program (or a test) registers its own script once, before its first
//   dialog, with tq::res::RegisterResources(nullptr, kScript); a null
//   instance then means the program's resources. Any other handle can be
//   registered the same way (tests use made-up handles).
// A registration takes precedence over the exported symbol. A handle that
// is neither registered nor a loaded module has no resources. A script that
// gives one identifier twice (two dialogs, two strings, two bitmaps, ...) is
// refused, registered or exported, rather than letting the first shadow the
// second.
//
// Example (a program's resources.cpp):
//   const tq::res::ControlTemplate kAbout[] = {
//       {WC_STATICW, 901, u"Telequill", 10, 10, 120, 8, SS_LEFT},
//       {WC_BUTTONW, IDOK, u"OK", 50, 30, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
//   };
//   const tq::res::DialogTemplate kDialogs[] = {
//       {109, u"À propos de", DS_MODALFRAME | WS_CAPTION, 0, 0, 0, 140, 50, kAbout},
//   };
//   const tq::res::StringResource kStrings[] = {{1001, u"Nom :"}};
//   const tq::res::ResourceScript kScript{kDialogs, kStrings, {}};
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "win/export.h"
#include "win/types.h"


namespace tq::res {

// One control of a dialog template. The class is one of WC_BUTTONW,
// WC_EDITW, WC_LISTBOXW, WC_COMBOBOXW, WC_STATICW (compared without case).
// The rectangle is in dialog units; WS_CHILD and WS_VISIBLE are implied
// unless `hidden` is set (a control the template makes invisible).
struct ControlTemplate {
  const char16_t* className;
  int id;
  const char16_t* text;
  short x;
  short y;
  short cx;
  short cy;
  DWORD style = 0;
  DWORD exStyle = 0;
  bool hidden = false;
};

struct DialogTemplate {
  int id;
  const char16_t* caption;
  DWORD style;
  DWORD exStyle;
  short x;
  short y;
  short cx;  // size in dialog units
  short cy;
  std::span<const ControlTemplate> controls;
  // The template's own font (with DS_SETFONT); empty name means the system font.
  const char16_t* fontName = u"";
  WORD fontPointSize = 0;
  // A template named by a string (such as "ABOUTBOX") rather than by `id`,
  // which it then leaves unused.
  const char16_t* name = nullptr;
};

struct StringResource {
  UINT id;
  const char16_t* text;
};

// A bitmap as pixels: `width` x `height`, rows top-down, 4 bytes a pixel in
// the order blue, green, red, unused (as a 32-bit device-independent bitmap).
struct BitmapResource {
  int id;
  int width;
  int height;
  std::span<const BYTE> pixels;  // width * height * 4 bytes
};

// One item of a menu: its command identifier, its text with the "&" of its
// access key, and MF_ flags (MF_SEPARATOR, MF_GRAYED, MF_CHECKED).
struct MenuItemTemplate {
  UINT id;
  const char16_t* text;
  UINT flags = 0;
};

// A menu as a pop-up list of items, the form a context menu takes.
struct MenuResource {
  int id;
  std::span<const MenuItemTemplate> items;
};

// A cursor as pixels: `width` x `height`, rows top-down, 4 bytes a pixel in
// the order blue, green, red, alpha (0 is transparent); the hot spot is the
// pixel that points.
struct CursorResource {
  int id;
  int width;
  int height;
  int hotX;
  int hotY;
  std::span<const BYTE> pixels;  // width * height * 4 bytes
};

struct ResourceScript {
  std::span<const DialogTemplate> dialogs;
  std::span<const StringResource> strings;
  std::span<const BitmapResource> bitmaps;
  std::span<const MenuResource> menus = {};
  std::span<const CursorResource> cursors = {};
};

// A module's script gathered from the scripts its parts contribute, in
// the order given. The parts' data must outlive it.
class GatheredScript {
 public:
  explicit GatheredScript(std::initializer_list<ResourceScript> parts);
  GatheredScript(const GatheredScript&) = delete;
  GatheredScript& operator=(const GatheredScript&) = delete;
  const ResourceScript& script() const { return script_; }

 private:
  std::vector<DialogTemplate> dialogs_;
  std::vector<StringResource> strings_;
  std::vector<BitmapResource> bitmaps_;
  std::vector<MenuResource> menus_;
  std::vector<CursorResource> cursors_;
  ResourceScript script_;
};

// The first identifier `script` gives twice, named as "dialog 101",
// "string 1040", "bitmap 3", "menu 300" or "cursor 19000"; none when every
// identifier is unique.
std::optional<std::string> FirstDuplicate(const ResourceScript& script);

// Registers `script` (which must outlive its use) as the resources of
// `instance`; null means the program itself. Registering again replaces.
// A script with a duplicate identifier is refused: false, with a line on
// standard error, and the instance keeps what it had.
bool RegisterResources(HINSTANCE instance, const ResourceScript& script);
// The registry keeps the script's address: a temporary would be gone at once.
bool RegisterResources(HINSTANCE instance, ResourceScript&& script) = delete;

// The script of `instance`: a registered one, else the module's exported
// `TelequillResources`; null when there is none or the exported one gives
// an identifier twice.
const ResourceScript* FindResources(HINSTANCE instance);

// Lookups by identifier; null when the script or the item is missing.
// A template name given as a string (not MAKEINTRESOURCEW) is matched
// against the decimal identifier ("#101" or "101"), else against the names
// of named templates without regard to case, as Win32 does.
const DialogTemplate* FindDialog(HINSTANCE instance, LPCWSTR name);
const StringResource* FindString(HINSTANCE instance, UINT id);
const BitmapResource* FindBitmap(HINSTANCE instance, LPCWSTR name);
const MenuResource* FindMenu(HINSTANCE instance, LPCWSTR name);
const CursorResource* FindCursor(HINSTANCE instance, LPCWSTR name);

// The pixels behind a bitmap handle of LoadBitmapW; null for a bad handle.
const BitmapResource* BitmapData(HBITMAP bitmap);

}  // namespace tq::res

// Defines the exported lookup of a shared library's resource script.
#define TQ_RESOURCE_SCRIPT(script)                                                     \
  TQ_EXPORT const ::tq::res::ResourceScript* TelequillResources() {         \
    return &(script);                                                                  \
  }
