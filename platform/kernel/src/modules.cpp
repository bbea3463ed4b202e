// Modules over dlopen. An HMODULE is the dlopen() handle itself, so other
// layers may dlsym() a module's own symbols from it.
#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "internal.h"
#include "win/environment.h"
#include "win/library_folder.h"
#include "win/program_folder.h"
#include "win/text.h"

namespace {

bool EndsWithDll(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".dll";
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  std::string program(path, static_cast<size_t>(n));
  return program.substr(0, program.rfind('/'));
}

}  // namespace

namespace tq {

std::u16string BesideProgram(std::u16string_view name) {
  // Installed, the programs are in bin and the files that ship with them lie
  // in the folder of the project's libraries; in the build tree that is the
  // program's own folder.
  const std::string folder = kernel::LibraryFolder();
  if (folder.empty()) return std::u16string(name);
  return Utf8ToUtf16(folder) + u"/" + std::u16string(name);
}

}  // namespace tq

namespace {

// The file names a module name may stand for: as given, the native ".so"
// for a ".DLL" or extension-less name, and those in lower case, since
// Windows names are case-insensitive and ours are lower case.
std::vector<std::string> FileNames(const std::string& name) {
  std::vector<std::string> names{name};
  size_t slash = name.rfind('/');
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  std::string folder = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
  if (EndsWithDll(base)) {
    names.push_back(folder + base.substr(0, base.size() - 4) + ".so");
  } else if (base.find('.') == std::string::npos) {
    names.push_back(name + ".so");
  }
  size_t count = names.size();
  for (size_t k = 0; k < count; ++k) {
    std::string lower = names[k];
    for (size_t i = folder.size(); i < lower.size(); ++i) {
      lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    }
    if (lower != names[k]) names.push_back(lower);
  }
  return names;
}

std::vector<std::string> Candidates(const std::string& name) {
  std::vector<std::string> candidates;
  if (name.find('/') != std::string::npos) return FileNames(name);
  std::vector<std::string> folders{ProgramFolder()};
  if (auto plugins = tq::EnvironmentValue("TELEQUILL_PLUGIN_DIR")) {
    folders.push_back(std::move(*plugins));
  } else if (std::string libraries = tq::kernel::LibraryFolder(); libraries != folders.front()) {
    // Installed, the programs are in bin and the libraries they load are not.
    folders.push_back(std::move(libraries));
  }
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    for (const std::string& file : FileNames(name)) candidates.push_back(folder + "/" + file);
  }
  return candidates;
}

// The loaded object a handle names, found by walking the loader's list, so
// that a stale or foreign pointer is refused instead of dereferenced.
const link_map* LinkMapOf(HMODULE module) {
  void* self = dlopen(nullptr, RTLD_NOW | RTLD_NOLOAD);
  link_map* map = nullptr;
  if (self == nullptr || dlinfo(self, RTLD_DI_LINKMAP, &map) != 0) return nullptr;
  while (map != nullptr && map->l_prev != nullptr) map = map->l_prev;
  for (; map != nullptr; map = map->l_next) {
    if (static_cast<void*>(map) == static_cast<void*>(module)) return map;
  }
  return nullptr;
}

std::string ProgramPath() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string ModulePath(HMODULE module) {
  if (module == nullptr) return ProgramPath();
  if (const link_map* map = LinkMapOf(module); map != nullptr) {
    if (map->l_name == nullptr || *map->l_name == 0) return ProgramPath();
    char resolved[PATH_MAX];
    return realpath(map->l_name, resolved) != nullptr ? std::string(resolved) : std::string(map->l_name);
  }
  // An address inside a module names that module.
  Dl_info info{};
  if (dladdr(module, &info) != 0 && info.dli_fname != nullptr) {
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) != nullptr ? std::string(resolved) : std::string(info.dli_fname);
  }
  return {};
}

// The export name behind an ordinal (MAKEINTRESOURCEA(n)) in the module's
// ordinal table; null when the module has no table or not that ordinal.
const char* NameOfOrdinal(void* handle, LPCSTR ordinal) {
  using Table = const tq::kernel::OrdinalExport* (*)();
  auto table = reinterpret_cast<Table>(dlsym(handle, "TelequillOrdinals"));
  if (table == nullptr) return nullptr;
  const auto wanted = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(ordinal));
  for (const tq::kernel::OrdinalExport* entry = table(); entry->name != nullptr; ++entry) {
    if (entry->ordinal == wanted) return entry->name;
  }
  return nullptr;
}

}  // namespace

extern "C" HMODULE LoadLibraryW(LPCWSTR name) {
  std::string native;
  if (!tq::kernel::NativeName(name, native)) return nullptr;
  for (const std::string& candidate : Candidates(native)) {
    if (access(candidate.c_str(), F_OK) != 0) continue;
    if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL); handle != nullptr) {
      return static_cast<HMODULE>(handle);
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

extern "C" FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (name == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* handle = module != nullptr ? static_cast<void*>(module) : dlopen(nullptr, RTLD_NOW | RTLD_NOLOAD);
  if (module != nullptr && LinkMapOf(module) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (IS_INTRESOURCE(name)) name = handle != nullptr ? NameOfOrdinal(handle, name) : nullptr;
  if (name == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = handle != nullptr ? dlsym(handle, name) : nullptr;
  if (symbol == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

extern "C" BOOL FreeLibrary(HMODULE module) {
  if (module == nullptr || LinkMapOf(module) == nullptr) return tq::kernel::Fail(ERROR_INVALID_HANDLE);
  if (dlclose(module) != 0) return tq::kernel::Fail(ERROR_INVALID_HANDLE);
  return TRUE;
}

extern "C" DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  std::string path = ModulePath(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::u16string wide = tq::Utf8ToUtf16(path);
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too small: truncated and terminated, the size returned, as Win32 does.
  if (wide.size() >= size) {
    wide.copy(buffer, size - 1);
    buffer[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  wide.copy(buffer, wide.size());
  buffer[wide.size()] = 0;
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(wide.size());
}

namespace tq::kernel {

std::string LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || info.dli_fname == nullptr) return ProgramFolder();
  char resolved[PATH_MAX];
  const std::string path = realpath(info.dli_fname, resolved) != nullptr ? resolved : info.dli_fname;
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? ProgramFolder() : path.substr(0, slash);
}

}  // namespace tq::kernel
