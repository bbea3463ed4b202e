#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "testing/temp_root.h"
#include "win/environment.h"
#include "win/kernel.h"
#include "win/text.h"

namespace {

using SystemTest = tq::testing::TempRoot;

TEST_F(SystemTest, WindowsDirectoryIsTheRootAndIsCreatedPrivate) {
  std::filesystem::path root = path("windows");
  setenv("TELEQUILL_ROOT", root.c_str(), 1);
  EXPECT_EQ(tq::WindowsDirectory(), root.string());
  EXPECT_TRUE(std::filesystem::is_directory(root));
  struct stat info {};
  ASSERT_EQ(stat(root.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  std::u16string expected = tq::Utf8ToUtf16(root.string());
  EXPECT_EQ(GetWindowsDirectoryW(nullptr, 0), expected.size() + 1);
  std::u16string buffer(expected.size(), u'x');
  EXPECT_EQ(GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size())), expected.size() + 1);
  char16_t full[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectoryW(full, MAX_PATH), expected.size());
  EXPECT_EQ(std::u16string(full), expected);

  unsetenv("TELEQUILL_ROOT");
  setenv("XDG_DATA_HOME", root.c_str(), 1);
  EXPECT_EQ(tq::WindowsDirectory(), (root / "telequill").string());
  unsetenv("XDG_DATA_HOME");
}

TEST_F(SystemTest, ModulesLoadByWindowsNameAndResolveExports) {
  setenv("TELEQUILL_PLUGIN_DIR", TELEQUILL_TEST_MODULE_DIR, 1);
  HMODULE module = LoadLibraryW(u"TQTESTMOD.DLL");
  ASSERT_NE(module, nullptr);
  using Answer = int (*)();
  auto answer = reinterpret_cast<Answer>(reinterpret_cast<void*>(GetProcAddress(module, "TestModuleAnswer")));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  // Ordinals name exports through the module's table; one the table names
  // but the module lacks, or one it does not name, is not found.
  auto seven = reinterpret_cast<Answer>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(2000))));
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven(), 7);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(1))), reinterpret_cast<void*>(answer));
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(3)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(2)), nullptr);

  char16_t name[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
  std::string expected = std::filesystem::canonical(TELEQUILL_TEST_MODULE_DIR "/tqtestmod.so").string();
  EXPECT_EQ(tq::Utf16ToUtf8(std::u16string(name, length)), expected);
  char16_t small[5];
  EXPECT_EQ(GetModuleFileNameW(module, small, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(small[4], 0);

  EXPECT_TRUE(FreeLibrary(module));

  // The host loads plug-ins with dlopen itself and hands them that handle.
  void* direct = dlopen(TELEQUILL_TEST_MODULE_DIR "/tqtestmod.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(direct, nullptr);
  length = GetModuleFileNameW(static_cast<HMODULE>(direct), name, MAX_PATH);
  EXPECT_EQ(tq::Utf16ToUtf8(std::u16string(name, length)), expected);
  dlclose(direct);

  EXPECT_EQ(LoadLibraryW(u"nosuchmodule.DLL"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  EXPECT_EQ(tq::Utf16ToUtf8(std::u16string(name, length)), std::filesystem::canonical("/proc/self/exe").string());
  // A pointer that is no module is refused, not followed.
  int notAModule = 0;
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&notAModule)));
  unsetenv("TELEQUILL_PLUGIN_DIR");
}

// Set but empty is not set; a number is whole, positive and within its
// bound, with what follows its digits ignored as the C library does.
TEST_F(SystemTest, EnvironmentValuesAndNumbers) {
  constexpr char kName[] = "TELEQUILL_ENVIRONMENT_TEST";
  unsetenv(kName);
  EXPECT_FALSE(tq::EnvironmentHas(kName));
  EXPECT_EQ(tq::EnvironmentValue(kName), std::nullopt);
  EXPECT_EQ(tq::EnvironmentNumber(kName, 10), std::nullopt);
  setenv(kName, "", 1);
  EXPECT_TRUE(tq::EnvironmentHas(kName));
  EXPECT_EQ(tq::EnvironmentValue(kName), std::nullopt);
  const std::pair<const char*, std::optional<long>> numbers[] = {
      {"7", 7}, {"10", 10}, {"11", std::nullopt}, {"0", std::nullopt}, {"-3", std::nullopt},
      {"abc", std::nullopt}, {"8ms", 8}, {"99999999999999999999999", std::nullopt}};
  for (const auto& [text, expected] : numbers) {
    setenv(kName, text, 1);
    EXPECT_EQ(tq::EnvironmentValue(kName), std::string(text));
    EXPECT_EQ(tq::EnvironmentNumber(kName, 10), expected) << text;
  }
  unsetenv(kName);
}

TEST_F(SystemTest, UserAndComputerNames) {
  char16_t user[256];
  DWORD size = 256;
  ASSERT_TRUE(GetUserNameW(user, &size));
  EXPECT_EQ(size, static_cast<DWORD>(lstrlenW(user) + 1));
  DWORD tooSmall = 1;
  char one[1];
  EXPECT_FALSE(GetUserNameA(one, &tooSmall));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(tooSmall, size);

  char computer[16];
  size = sizeof computer;
  ASSERT_TRUE(GetComputerNameA(computer, &size));
  EXPECT_EQ(size, static_cast<DWORD>(lstrlenA(computer)));
  EXPECT_LE(size, 15u);
  for (DWORD i = 0; i < size; ++i) EXPECT_FALSE(computer[i] >= 'a' && computer[i] <= 'z');
  DWORD none = 0;
  EXPECT_FALSE(GetComputerNameW(nullptr, &none));
  EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
  EXPECT_EQ(none, size + 1);
}

TEST_F(SystemTest, LocalTimeAndLengths) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2020);
  EXPECT_TRUE(now.wMonth >= 1 && now.wMonth <= 12);
  EXPECT_TRUE(now.wDay >= 1 && now.wDay <= 31);
  EXPECT_LT(now.wDayOfWeek, 7);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"abc"), 3);
  EXPECT_EQ(lstrlenA("ab"), 2);
}

}  // namespace
