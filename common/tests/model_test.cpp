#include "common/model.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(Model, NamesOfEachModel) {
  EXPECT_EQ(FaxUiFileName(Model::N), "qlfaxuin.so");
  EXPECT_EQ(FaxRenderFileName(Model::P), "qlfaxgfxp.so");
  EXPECT_EQ(ResourceLibraryFileName(Model::P), "qlresp.so");
  EXPECT_EQ(std::u16string(ImportProgramName(Model::P)), u"qlimportp.EXE");
  EXPECT_EQ(ImportProgramFileName(Model::N), "qlimportn");
  EXPECT_EQ(std::u16string(HelpFileName(Model::N)), u"qlhelpn.HLP");
  EXPECT_EQ(std::u16string(HelpFileName(Model::P)), u"qlhelpp.HLP");
}

TEST(Model, ParsesEitherCaseAndNothingElse) {
  Model model = Model::P;
  EXPECT_TRUE(ParseModel("n", model));
  EXPECT_EQ(model, Model::N);
  EXPECT_TRUE(ParseModel("P", model));
  EXPECT_EQ(model, Model::P);
  for (const char* wrong : {"", "x", "np", "p ", "N\n"}) {
    EXPECT_FALSE(ParseModel(wrong, model)) << wrong;
    EXPECT_EQ(model, Model::P) << wrong;
  }
}

}  // namespace
}  // namespace tq
