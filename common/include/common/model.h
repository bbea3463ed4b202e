// The two device models every deliverable is built for, and the names that
// differ between them. A deliverable learns its model from its build in its
// entry file (common/build_model.h); everything else takes a Model.
#pragma once

#include <string>
#include <string_view>

namespace tq {

enum class Model : char { N = 'n', P = 'p' };

// 'n' or 'p', the letter that ends the model's file names.
constexpr char ModelLetter(Model model) { return static_cast<char>(model); }
// "N" or "P", as the model is named to the user.
constexpr const char* ModelName(Model model) { return model == Model::P ? "P" : "N"; }
// "n" or "p" (either case); false for anything else, `model` unchanged.
bool ParseModel(std::string_view text, Model& model);

// The plug-ins' files, as the host loads them: "qlfaxuin.so", "qlfaxgfxp.so".
std::string FaxUiFileName(Model model);
std::string FaxRenderFileName(Model model);
// The language resource library: "qlresn.so".
std::string ResourceLibraryFileName(Model model);

// The Import application as the Fax UI plug-in names it in its string table
// (string 3059): "qlimportn.EXE". The kernel layer maps it to the native
// program "qlimportn" (ImportProgramFileName) when it starts it.
constexpr const char16_t* ImportProgramName(Model model) {
  return model == Model::P ? u"qlimportp.EXE" : u"qlimportn.EXE";
}
std::string ImportProgramFileName(Model model);

// The help file as the plug-in names it in its string table (string 700):
// "qlhelpn.HLP", opened as qlhelpn.html beside the plug-in.
constexpr const char16_t* HelpFileName(Model model) {
  return model == Model::P ? u"qlhelpp.HLP" : u"qlhelpn.HLP";
}

}  // namespace tq
