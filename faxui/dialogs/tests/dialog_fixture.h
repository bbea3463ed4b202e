// A modeless dialog of the tests' own on the headless face: a list box with
// extended selection and an edit field.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "testing/temp_root.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui::testing {

inline constexpr int kTestDialog = 900;
inline constexpr int kList = 901;
inline constexpr int kEdit = 902;

class DialogFixture : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    setenv("TELEQUILL_UI", "headless", 1);
    static const res::ControlTemplate controls[] = {
        {WC_LISTBOXW, kList, u"", 5, 5, 100, 100, LBS_NOTIFY | LBS_EXTENDEDSEL},
        {WC_EDITW, kEdit, u"", 5, 110, 100, 12, ES_AUTOHSCROLL},
    };
    static const res::DialogTemplate dialogs[] = {
        {kTestDialog, u"Essai", DS_MODALFRAME | WS_CAPTION, 0, 0, 0, 120, 130, controls}};
    static const res::ResourceScript script{dialogs, {}, {}};
    ASSERT_TRUE(res::RegisterResources(nullptr, script));
  }
  HWND Open(DLGPROC proc, LPARAM parameter = 0) {
    return CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kTestDialog), nullptr, proc, parameter);
  }
};

}  // namespace tq::faxui::testing
