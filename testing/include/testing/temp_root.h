// Test support: a fresh, private Windows directory (TELEQUILL_ROOT) for each
// test, removed afterwards, and small helpers to read and write whole files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tq::testing {

class TempRoot : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The test's TELEQUILL_ROOT.
  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path path(const std::string& name) const { return root_ / name; }

 private:
  std::filesystem::path root_;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& file);
std::string ReadText(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);
void WriteText(const std::filesystem::path& file, const std::string& text);

// Runs a program of the build's bin folder with the arguments, in the
// environment of the test plus `env` (NAME=VALUE entries); returns the exit
// status and fills what it wrote to standard output and error.
struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::vector<std::string>& env = {}, const std::string& input = {});

}  // namespace tq::testing
