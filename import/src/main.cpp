// qlimportn / qlimportp: started by the fax plug-in's recipient or
// phonebook dialog with the path of the result file. Asks for a source,
// lets the user choose entries, writes them to the result file and posts
// the completion command to the dialog that started it.
//
// Exit status: 0 whatever the user did (the dialog is always told), 1 when
// the chosen entries could not be written to the result file.
#include <string>

#include "resources.h"
#include "run_import.h"
#include "win/text.h"

int main(int argc, char** argv) {
  tq::res::RegisterResources(nullptr, tq::import::kResourceScript);
  // The command line after the program's name, as the Windows program gets it.
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return tq::import::RunImport(tq::Utf8ToUtf16(line)) ? 0 : 1;
}
