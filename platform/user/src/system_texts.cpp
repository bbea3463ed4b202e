#include "win/system_texts.h"

#include <utility>

#include "texts.h"

namespace tq::ui {
namespace {

SystemTexts& Current() {
  static SystemTexts texts{texts::kSystemLocale, texts::kOkButton,    texts::kCancelButton,
                           texts::kYesButton,    texts::kNoButton,    texts::kErrorCaption,
                           texts::kHelpTitle,    texts::kHelpBack,    texts::kHelpForward,
                           texts::kHelpClose};
  return texts;
}

}  // namespace

void UseSystemTexts(SystemTexts texts) { Current() = std::move(texts); }

const SystemTexts& CurrentSystemTexts() { return Current(); }

}  // namespace tq::ui
