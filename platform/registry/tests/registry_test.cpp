#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "testing/temp_root.h"
#include "win/faults.h"
#include "win/registry.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

constexpr const char16_t* kMonitorKey = u"SOFTWARE\\Kalde\\Varnholtex\\Client\\Ledgra";

class RegistryTest : public tq::testing::TempRoot {
 protected:
  void TearDown() override {
    tq::ClearFileFaults();
    TempRoot::TearDown();
  }
  static LONG SetText(HKEY key, const char16_t* name, std::u16string_view text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  }
  static std::u16string GetText(HKEY key, const char16_t* name) {
    char16_t buffer[300] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
      return u"<none>";
    }
    return std::u16string(buffer);
  }
};

TEST_F(RegistryTest, RoundTripAndPersistenceAcrossReopen) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMonitorKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  ASSERT_EQ(SetText(key, nullptr, u"C:\\Program Files\\Ledgra\\client.exe"), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, u"VqrApi", u"/opt/télécopie/libvqrapi.so"), ERROR_SUCCESS);
  DWORD count = 42;
  ASSERT_EQ(RegSetValueExW(key, u"Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&count), 4), ERROR_SUCCESS);
  const BYTE blob[] = {0, 1, 0xFF, '\n'};
  ASSERT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  // Names ignore case; the parents were created along the way.
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\KALDE\\varnholtex\\client\\ledgra", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(GetText(key, u""), u"C:\\Program Files\\Ledgra\\client.exe");
  EXPECT_EQ(GetText(key, u"vqrapi"), u"/opt/télécopie/libvqrapi.so");
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 42u);
  BYTE read[8];
  size = sizeof read;
  ASSERT_EQ(RegQueryValueExW(key, u"Blob", nullptr, &type, read, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof blob);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(read), size), std::string(reinterpret_cast<const char*>(blob), 4));
  // A key opened for reading refuses changes.
  EXPECT_EQ(SetText(key, u"x", u"y"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);

  HKEY parent = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Kalde", 0, KEY_READ, &parent), ERROR_SUCCESS);
  RegCloseKey(parent);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Kalde", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(parent);
}

TEST_F(RegistryTest, QuerySizesAndMissingThings) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Telequill", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, u"Path", u"abcdef"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"Path", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 14u);  // six characters and the terminator, in bytes
  char16_t small[3];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key, u"Path", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 14u);
  EXPECT_EQ(RegQueryValueExW(key, u"Path", nullptr, nullptr, reinterpret_cast<BYTE*>(small), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExW(key, u"Nothing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueW(key, u"PATH"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Path"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

  HKEY missing = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ComputerName\\COmputerName", 0,
                          KEY_ALL_ACCESS, &missing),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Bad\nName", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &missing,
                            nullptr),
            ERROR_INVALID_PARAMETER);
  // Other hives are separate.
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Telequill", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, MalformedHiveIsRefusedAndLeftAlone) {
  std::filesystem::create_directories(path("registry"));
  const std::string damaged = "TELEQUILL-REGISTRY 1\n[SOFTWARE]\n\"Half\"=sz:\"no end\n";
  WriteText(path("registry/local_machine.reg"), damaged);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE", 0, KEY_READ, &key), static_cast<LONG>(ERROR_BADDB));
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Other", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            static_cast<LONG>(ERROR_BADDB));
  EXPECT_EQ(ReadText(path("registry/local_machine.reg")), damaged);
}

TEST_F(RegistryTest, FailedWriteKeepsTheOldHive) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Telequill", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, u"Name", u"first"), ERROR_SUCCESS);
  tq::FailNthFileOperation(tq::FileFault::Rename, 1);
  EXPECT_NE(SetText(key, u"Name", u"second"), ERROR_SUCCESS);
  EXPECT_EQ(GetText(key, u"Name"), u"first");
  tq::FailNthFileOperation(tq::FileFault::Write, 1);
  EXPECT_EQ(SetText(key, u"Name", u"third"), static_cast<LONG>(ERROR_DISK_FULL));
  EXPECT_EQ(GetText(key, u"Name"), u"first");
  RegCloseKey(key);
}

}  // namespace

namespace {

TEST_F(RegistryTest, AnsiCallsStoreUtf16Text) {
  HKEY machine = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\COmputerName", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(machine);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", 0,
                          KEY_ALL_ACCESS, &machine),
            ERROR_SUCCESS);
  HKEY sub = nullptr;
  ASSERT_EQ(RegCreateKeyExA(machine, "ForTKPCLDrv1", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_SUCCESS);
  const char user[] = "Ren\xE9";  // "René" in 1252
  ASSERT_EQ(RegSetValueExA(sub, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(user), sizeof user), ERROR_SUCCESS);
  EXPECT_EQ(GetText(sub, nullptr), u"René");
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(sub, nullptr, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 10u);
  char back[8] = {};
  DWORD backSize = sizeof back;
  EXPECT_EQ(RegQueryValueExA(sub, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(back), &backSize), ERROR_SUCCESS);
  EXPECT_EQ(backSize, sizeof user);
  EXPECT_STREQ(back, user);
  backSize = 2;
  EXPECT_EQ(RegQueryValueExA(sub, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(back), &backSize), ERROR_MORE_DATA);
  EXPECT_EQ(backSize, sizeof user);
  RegCloseKey(sub);
  RegCloseKey(machine);
}

}  // namespace

namespace {

// Two processes changing one hive at once lose none of each other's values.
TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  constexpr int kValues = 20;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      HKEY key = nullptr;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, u"Shared", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
          ERROR_SUCCESS) {
        _exit(1);
      }
      for (int i = 0; i < kValues; ++i) {
        std::u16string name = std::u16string(1, char16_t(u'a' + c)) + char16_t(u'A' + i);
        DWORD value = static_cast<DWORD>(i);
        if (RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4) != ERROR_SUCCESS) {
          _exit(2);
        }
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Shared", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < kValues; ++i) {
      std::u16string name = std::u16string(1, char16_t(u'a' + c)) + char16_t(u'A' + i);
      DWORD value = 99;
      DWORD size = 4;
      EXPECT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                ERROR_SUCCESS);
      EXPECT_EQ(value, static_cast<DWORD>(i));
    }
  }
  RegCloseKey(key);
}

}  // namespace
