#include "common/model.h"

namespace tq {

bool ParseModel(std::string_view text, Model& model) {
  if (text == "n" || text == "N") {
    model = Model::N;
  } else if (text == "p" || text == "P") {
    model = Model::P;
  } else {
    return false;
  }
  return true;
}

std::string FaxUiFileName(Model model) { return std::string("qlfaxui") + ModelLetter(model) + ".so"; }
std::string FaxRenderFileName(Model model) { return std::string("qlfaxgfx") + ModelLetter(model) + ".so"; }
std::string ResourceLibraryFileName(Model model) { return std::string("qlres") + ModelLetter(model) + ".so"; }
std::string ImportProgramFileName(Model model) { return std::string("qlimport") + ModelLetter(model); }

}  // namespace tq
