// File dialogs answered by a script: the path, the flags that make the
// dialog ask again, the default extension, the caller's buffer, cancel.
#include <cstdlib>

#include "testing/temp_root.h"
#include "win/comdlg.h"
#include "win/face.h"
#include "win/text.h"

namespace {

class FileDialogsTest : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("TELEQUILL_TRANSCRIPT", path("transcript.txt").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TELEQUILL_TRANSCRIPT");
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  void UseScript(const std::string& text) {
    tq::testing::WriteText(path("script.txt"), text);
    ASSERT_TRUE(tq::ui::UseFace("script:" + path("script.txt").string()));
  }
  OPENFILENAMEW Request(DWORD flags, LPCWSTR defaultExt = nullptr) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = u"Carnet d'adresses (*.AFD)\0*.AFD\0Tous les fichiers\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file_;
    ofn.nMaxFile = 260;
    ofn.lpstrTitle = u"Ouvrir";
    ofn.Flags = flags;
    ofn.lpstrDefExt = defaultExt;
    file_[0] = 0;
    return ofn;
  }
  std::string File() const { return tq::Utf16ToUtf8(file_); }
  std::string Transcript() { return tq::testing::ReadText(path("transcript.txt")); }
  char16_t file_[260] = {};
};

}  // namespace

TEST_F(FileDialogsTest, OpenAsksAgainUntilTheFileExists) {
  const std::string there = path("telefax.AFD").string();
  tq::testing::WriteText(there, "x");
  UseScript("file " + path("missing.AFD").string() + "\nfile " + there + "\n");
  OPENFILENAMEW ofn = Request(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(File(), there);
  EXPECT_EQ(file_[ofn.nFileOffset], u't');
  EXPECT_EQ(std::u16string(file_ + ofn.nFileExtension), u"AFD");
  EXPECT_EQ(Transcript(), "file open \"Ouvrir\" -> \"" + there + "\"\n");
}

TEST_F(FileDialogsTest, SaveAddsTheDefaultExtension) {
  UseScript("file " + path("nouveau").string() + "\nfile " + path("autre.txt").string() + "\n");
  OPENFILENAMEW ofn = Request(OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN, u"AFD");
  ofn.lpstrTitle = nullptr;
  ASSERT_TRUE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(File(), path("nouveau.AFD").string());
  ofn = Request(OFN_PATHMUSTEXIST, u"AFD");
  ASSERT_TRUE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(File(), path("autre.txt").string());  // an extension given is kept
  EXPECT_NE(ofn.Flags & OFN_EXTENSIONDIFFERENT, 0u);
  EXPECT_NE(Transcript().find("file save \"Enregistrer sous\" -> "), std::string::npos);
}

TEST_F(FileDialogsTest, CancelAndSmallBuffer) {
  UseScript("file-cancel\nfile " + path("a-rather-long-name.AFD").string() + "\n");
  OPENFILENAMEW ofn = Request(0);
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  ofn = Request(0);
  ofn.nMaxFile = 8;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(static_cast<size_t>(*reinterpret_cast<WORD*>(file_)), path("a-rather-long-name.AFD").string().size() + 1);
  EXPECT_NE(Transcript().find("file open \"Ouvrir\" -> cancel\n"), std::string::npos);
}

TEST_F(FileDialogsTest, BadRequestsAndNoScript) {
  OPENFILENAMEW ofn = Request(0);
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  ofn = Request(0);
  ofn.lpstrFile = nullptr;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
  ASSERT_TRUE(tq::ui::UseFace("headless"));
  ofn = Request(0);
  EXPECT_FALSE(GetSaveFileNameW(&ofn));  // headless without a script cancels
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}
