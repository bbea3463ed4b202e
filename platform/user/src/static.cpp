// Static texts, frames and pictures: text comes from the window text, a
// picture from STM_SETIMAGE.
#include "window.h"

namespace tq::ui {
namespace {

class Static final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    switch (message) {
      case STM_SETIMAGE:
      case STM_SETICON: {
        const LRESULT old = image_;
        image_ = message == STM_SETICON ? static_cast<LRESULT>(wParam) : lParam;
        Changed(self, Change::Style);
        return old;
      }
      case STM_GETIMAGE:
      case STM_GETICON:
        return image_;
      case WM_GETDLGCODE: return DLGC_STATIC;
      default:
        *handled = false;
        return 0;
    }
  }

 private:
  LRESULT image_ = 0;
};

}  // namespace

std::unique_ptr<Control> MakeStatic() { return std::make_unique<Static>(); }

}  // namespace tq::ui
