// qlafd: list, check, dump, convert, create and change phonebook files (.AFD).
#include <cstdio>
#include <string>

#include "commands.h"

namespace {

constexpr const char* kUsageText =
    "usage: qlafd list FILE       the display line of every record, in file order\n"
    "       qlafd check FILE      the file's result name (Ok, BadFormat, ...); exit status is its value\n"
    "       qlafd dump FILE       every record with all its fields, as JSON\n"
    "       qlafd convert OLD NEW an older phonebook into a new file of the current version\n"
    "       qlafd new FILE        an empty phonebook\n"
    "       qlafd add FILE NAME FAXNUMBER              append an individual entry\n"
    "       qlafd delete FILE LINE                     delete \"Name <number>\" or \"[Group]\"\n"
    "       qlafd rename FILE LINE NEWNAME NEWFAXNUMBER  give an individual a new name and number\n"
    "  changes exit with the result's value (0 Ok, 1 CannotOpen, ...); a delete or rename of a line\n"
    "  that names no record exits 4 (NotFound) with \"no such entry\"; a name may not begin with [\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace tq::qlafd;
  std::string command = argc > 1 ? argv[1] : "";
  if (argc == 3 && command == "list") return List(argv[2]);
  if (argc == 3 && command == "check") return Check(argv[2]);
  if (argc == 3 && command == "dump") return Dump(argv[2]);
  if (argc == 4 && command == "convert") return Convert(argv[2], argv[3]);
  if (argc == 3 && command == "new") return New(argv[2]);
  if (argc == 5 && command == "add") return Add(argv[2], argv[3], argv[4]);
  if (argc == 4 && command == "delete") return Delete(argv[2], argv[3]);
  if (argc == 6 && command == "rename") return Rename(argv[2], argv[3], argv[4], argv[5]);
  if (argc == 2 && (command == "--help" || command == "-h")) {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  std::fputs(kUsageText, stderr);
  return kUsage;
}
