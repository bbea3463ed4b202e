// texts_check SOURCE_ROOT: lists every French text a user would see that is
// written in production code outside its module's resource script and texts
// file, as FILE:LINE: "TEXT", and fails when there is one. Each module keeps
// its texts in one place (templates and string table in resources.cpp, the
// rest in texts.h/texts.cpp) so that they can be read, checked and changed
// together.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "literal_scan.h"

namespace fs = std::filesystem;

namespace {

// Folders without production code: tests, fuzz targets, benchmarks, sample
// data and test support; build trees are recognised by their cache.
bool SkippedFolder(const fs::path& folder) {
  static const std::vector<std::string> kNames = {"tests", "fuzz", "benchmarks", "examples", "testing"};
  const std::string name = folder.filename().string();
  if (name.starts_with(".")) return true;
  if (std::find(kNames.begin(), kNames.end(), name) != kNames.end()) return true;
  return fs::exists(folder / "CMakeCache.txt");
}

bool IsSource(const fs::path& file) {
  static const std::vector<std::string> kExtensions = {".cpp", ".cc", ".c", ".h", ".hpp"};
  return std::find(kExtensions.begin(), kExtensions.end(), file.extension().string()) != kExtensions.end();
}

// Where texts belong: a module's resource script (resources.cpp, or a part of
// it named *_resources.cpp), its texts file, and the language resource
// library, which is nothing but resources.
bool HoldsTexts(const fs::path& relative) {
  const std::string name = relative.filename().string();
  if (name == "resources.cpp" || name.ends_with("_resources.cpp")) return true;
  if (name == "texts.h" || name == "texts.cpp") return true;
  return !relative.empty() && *relative.begin() == "resources";
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: texts_check SOURCE_ROOT\n";
    return 2;
  }
  const fs::path root = argv[1];
  if (!fs::is_directory(root)) {
    std::cerr << "texts_check: " << root.string() << " is not a folder\n";
    return 2;
  }
  std::vector<std::string> findings;
  size_t scanned = 0;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_directory()) {
      if (SkippedFolder(it->path())) it.disable_recursion_pending();
      continue;
    }
    const fs::path relative = fs::relative(it->path(), root);
    if (!it->is_regular_file() || !IsSource(relative) || HoldsTexts(relative)) continue;
    ++scanned;
    for (const tq::source_checks::Literal& literal : tq::source_checks::StringLiterals(ReadFile(it->path()))) {
      if (tq::source_checks::LooksFrench(literal.body)) {
        findings.push_back(relative.string() + ":" + std::to_string(literal.line) + ": \"" + literal.body + "\"");
      }
    }
  }
  std::sort(findings.begin(), findings.end());
  for (const std::string& finding : findings) std::cout << finding << '\n';
  if (scanned == 0) {
    std::cerr << "texts_check: no production source under " << root.string() << '\n';
    return 2;
  }
  if (!findings.empty()) {
    std::cout << findings.size()
              << " user-visible French text(s) outside their module's resources.cpp and texts.h/texts.cpp;"
                 " move each into its module's texts file (or string table), or mark data that is never"
                 " shown with a // not-a-text comment heading its lines\n";
    return 1;
  }
  std::cout << "texts_check: " << scanned << " production sources hold no French text outside their texts files\n";
  return 0;
}
