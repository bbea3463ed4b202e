// WinExec: finding the program, its arguments and environment, and what it
// returns when it cannot start one.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "peer_process.h"
#include "program_search.h"
#include "testing/temp_root.h"
#include "win/kernel.h"
#include "win/process.h"
#include "win/user.h"

namespace {

using namespace std::chrono_literals;
using tq::ipc::FindProgram;

class WinExecTest : public tq::testing::TempRoot {
 protected:
  std::string MakeProgram(const std::string& name, mode_t mode = 0755) {
    const std::filesystem::path file = root() / name;
    tq::testing::WriteText(file, "#!/bin/sh\nexit 0\n");
    chmod(file.c_str(), mode);
    return file.string();
  }
};

TEST_F(WinExecTest, ProgramsThatCannotStart) {
  EXPECT_EQ(WinExec(nullptr, SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("   ", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("qlnothing.EXE /tmp/x", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec((root().string() + "/missing/prog arg").c_str(), SW_SHOW), ERROR_PATH_NOT_FOUND);
  const std::string plain = MakeProgram("plain", 0644);
  EXPECT_EQ(WinExec(plain.c_str(), SW_SHOW), ERROR_BAD_FORMAT);
  EXPECT_EQ(WinExec(root().c_str(), SW_SHOW), ERROR_BAD_FORMAT) << "a folder is no program";
}

TEST_F(WinExecTest, WindowsNamesFindTheNativeProgram) {
  const std::string program = MakeProgram("qlimportn");
  const std::vector<std::string> folders{"/nonexistent", root().string()};
  EXPECT_EQ(FindProgram("qlimportn.EXE", folders).path, program);
  EXPECT_EQ(FindProgram("QLIMPORTN.EXE", folders).path, program);
  EXPECT_EQ(FindProgram("qlimportn", folders).path, program);
  EXPECT_EQ(FindProgram(root().string() + "/qlimportn.EXE", {}).path, program);
  EXPECT_EQ(FindProgram("qlimportp.EXE", folders).error, ERROR_FILE_NOT_FOUND);
}

TEST_F(WinExecTest, BareNamesAreLookedForBesideTheCallerFirst) {
  MakeProgram("ipc_window_peer");  // a decoy in the plug-in folder
  setenv("TELEQUILL_PLUGIN_DIR", root().c_str(), 1);
  const std::string tests = std::filesystem::path(IPC_PEER_PROGRAM).parent_path().string();
  const std::string bin = TELEQUILL_BIN_DIR;
  // Asked from code of the layer itself (in the bin folder): that folder first.
  EXPECT_EQ(tq::ipc::ProgramFolders(reinterpret_cast<const void*>(&tq::ipc::ProgramFolders)),
            (std::vector<std::string>{bin, tests, root().string()}));
  // Asked from nowhere known: the program's folder, the plug-in folder, the layer's.
  const auto folders = tq::ipc::ProgramFolders(nullptr);
  EXPECT_EQ(folders, (std::vector<std::string>{tests, root().string(), bin}));
  EXPECT_EQ(FindProgram("ipc_window_peer", folders).path, IPC_PEER_PROGRAM);
  unsetenv("TELEQUILL_PLUGIN_DIR");
}

TEST_F(WinExecTest, ArgumentsArriveUnquotedAndNoForegroundIsPassedOn) {
  // A value this process inherited names no dialog of its own: not passed on.
  setenv("TELEQUILL_FOREGROUND", "1:0x10010:1", 1);
  const UINT started = WinExec(R"(ipc_window_peer.EXE child "two words" a\"b C:\Temp\ "")", SW_SHOW);
  unsetenv("TELEQUILL_FOREGROUND");
  EXPECT_GT(started, 31u);
  EXPECT_EQ(ipctest::ChildReport(root(), 10s),
            "arg two words\n"
            "arg a\"b\n"
            "arg C:\\Temp\\\n"
            "arg \n"
            "foreground none\n");
}

TEST_F(WinExecTest, CommandLineIsAnsiText) {
  // "é" in code page 1252 is one byte; the child gets it in UTF-8.
  const UINT started = WinExec("ipc_window_peer child caf\xE9", SW_SHOW);
  EXPECT_GT(started, 31u);
  EXPECT_EQ(ipctest::ChildReport(root(), 10s), "arg café\nforeground none\n");
}

}  // namespace

namespace {

// What a started program gets as its face: its own, never its parent's
// script.
class ChildFaceTest : public WinExecTest {
 protected:
  std::string FaceOfChild(const std::vector<std::pair<const char*, const char*>>& variables) {
    const std::filesystem::path report = root() / "face.txt";
    std::filesystem::remove(report);
    const std::filesystem::path program = root() / "showface";
    tq::testing::WriteText(program, "#!/bin/sh\necho \"$TELEQUILL_UI|$TELEQUILL_SCRIPT|${TELEQUILL_CHILD_UI-unset}\" > " +
                                        report.string() + ".new && mv " + report.string() + ".new " +
                                        report.string() + "\n");
    chmod(program.c_str(), 0755);
    const char* names[] = {"TELEQUILL_UI", "TELEQUILL_SCRIPT", "TELEQUILL_CHILD_UI", "TELEQUILL_CHILD_SCRIPT"};
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : names) {
      if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
      unsetenv(name);
    }
    for (const auto& [name, value] : variables) setenv(name, value, 1);
    const UINT started = WinExec(program.c_str(), SW_SHOW);
    for (const char* name : names) unsetenv(name);
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
    EXPECT_GT(started, 31u);
    for (int i = 0; i < 100 && !std::filesystem::exists(report); ++i) Sleep(50);
    return tq::testing::ReadText(report);
  }
};

TEST_F(ChildFaceTest, ScriptedParentsChildrenRunTheirOwnScriptOrNone) {
  EXPECT_EQ(FaceOfChild({{"TELEQUILL_UI", "script:/parent.txt"}}), "headless||unset\n");
  EXPECT_EQ(FaceOfChild({{"TELEQUILL_UI", "script:/parent.txt"}, {"TELEQUILL_CHILD_UI", "script:/child.txt"}}),
            "script:/child.txt||unset\n");
  EXPECT_EQ(FaceOfChild({{"TELEQUILL_UI", "qt"}, {"TELEQUILL_SCRIPT", "/parent.txt"}}), "headless||unset\n");
  EXPECT_EQ(FaceOfChild({{"TELEQUILL_UI", "qt"},
                         {"TELEQUILL_SCRIPT", "/parent.txt"},
                         {"TELEQUILL_CHILD_UI", "qt"},
                         {"TELEQUILL_CHILD_SCRIPT", "/child.txt"}}),
            "qt|/child.txt|unset\n");
}

TEST_F(ChildFaceTest, APersonsRunKeepsItsFaceAcrossProcesses) {
  EXPECT_EQ(FaceOfChild({{"TELEQUILL_UI", "qt"}}), "qt||unset\n");
  EXPECT_EQ(FaceOfChild({}), "||unset\n");
}

}  // namespace
