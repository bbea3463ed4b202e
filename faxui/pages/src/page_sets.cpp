// What the plug-in tells the host about its pages: the help pairs of each
// page, the control descriptions of the options page and the two page sets.
#include "faxui/resource_ids.h"
#include "pages/options_page.h"
#include "pages/page_sets.h"

namespace tq::faxui {

namespace {

constexpr HelpPair kOptionsHelp[] = {
    {kOptionsPageDialog, kOptionsPageHelpContext},
    {opt::kResolutionGroup, kResolutionHelpContext},
    {opt::kResolutionNormal, kResolutionHelpContext},
    {opt::kResolutionFine, kResolutionHelpContext},
    {opt::kResolutionSuperfine, kResolutionHelpContext},
    {opt::kResolutionUltrafine, kResolutionHelpContext},
    {opt::kReportGroup, kReportHelpContext},
    {opt::kReportAlways, kReportHelpContext},
    {opt::kReportOnError, kReportHelpContext},
    {opt::kReportNever, kReportHelpContext},
    {opt::kHeaderCheck, kHeaderHelpContext},
    {opt::kPhonebookButton, kPhonebookButtonHelpContext},
    {0, 0},
};

constexpr HelpPair kAboutHelp[] = {
    {kAboutPageDialog, kAboutPageHelpContext},
    {about::kProductLine, kAboutLinesHelpContext},
    {about::kVersionLine, kAboutLinesHelpContext},
    {about::kRightsLine1, kAboutLinesHelpContext},
    {about::kRightsLine2, kAboutLinesHelpContext},
    {0, 0},
};

constexpr std::int32_t kGroupBox = 3;
constexpr std::int32_t kRadioButton = 4;
constexpr std::int32_t kCheckBox = 7;
constexpr std::int32_t kPushButton = 24;
constexpr std::int32_t kText = 0;

constexpr ControlDescription kOptionsControls[] = {
    {kGroupBox, opt::kResolutionGroup, optstr::kResolutionGroup, kResolutionHelpContext, {}},
    {kRadioButton, opt::kResolutionNormal, optstr::kResolutionNormal, kResolutionHelpContext, {}},
    {kRadioButton, opt::kResolutionFine, optstr::kResolutionFine, kResolutionHelpContext, {}},
    {kRadioButton, opt::kResolutionSuperfine, optstr::kResolutionSuperfine, kResolutionHelpContext, {}},
    {kRadioButton, opt::kResolutionUltrafine, optstr::kResolutionUltrafine, kResolutionHelpContext, {}},
    {kGroupBox, opt::kReportGroup, optstr::kReportGroup, kReportHelpContext, {}},
    {kRadioButton, opt::kReportAlways, optstr::kReportAlways, kReportHelpContext, {}},
    {kRadioButton, opt::kReportOnError, optstr::kReportOnError, kReportHelpContext, {}},
    {kRadioButton, opt::kReportNever, optstr::kReportNever, kReportHelpContext, {}},
    {kCheckBox, opt::kHeaderCheck, optstr::kHeaderCheck, kHeaderHelpContext, {}},
    {kPushButton, opt::kPhonebookButton, optstr::kPhonebookButton, 0, {}},
    {kPushButton, opt::kDefaultsButton, optstr::kDefaultsButton, 0, {}},
};

constexpr ControlDescription kAboutControls[] = {
    {kText, about::kProductLine, 0, kAboutLinesHelpContext, {}},
    {kText, about::kVersionLine, 0, kAboutLinesHelpContext, {}},
    {kText, about::kRightsLine1, 0, kAboutLinesHelpContext, {}},
    {kText, about::kRightsLine2, 0, kAboutLinesHelpContext, {}},
};

constexpr PageDescriptor Page(int templateId, int kind, int context, const HelpPair* pairs,
                              const ControlDescription* controls, int count) {
  return PageDescriptor{templateId, kind, context, 0, -1, pairs, count, controls, {}};
}

constexpr PageDescriptor kOptionsPage = Page(kOptionsPageDialog, 3, kOptionsPageHelpContext, kOptionsHelp,
                                             kOptionsControls, std::size(kOptionsControls));
constexpr PageDescriptor kAbout3 =
    Page(kAboutPageDialog, 3, kAboutPageHelpContext, kAboutHelp, kAboutControls, std::size(kAboutControls));
constexpr PageDescriptor kAbout1 =
    Page(kAboutPageDialog, 1, kAboutPageHelpContext, kAboutHelp, kAboutControls, std::size(kAboutControls));

constexpr PageDescriptor kWithFax[] = {kOptionsPage, kAbout3, kAbout1};
constexpr PageDescriptor kWithoutFax[] = {kAbout3, kAbout1};

}  // namespace

const PageSet& PageSetFor(bool faxFeature) {
  static const PageSet withFax{static_cast<std::int32_t>(std::size(kWithFax)), kWithFax};
  static const PageSet withoutFax{static_cast<std::int32_t>(std::size(kWithoutFax)), kWithoutFax};
  return faxFeature ? withFax : withoutFax;
}

PageHelp OptionsPageHelp() { return {kOptionsPageDialog, kOptionsPageHelpContext, kOptionsHelp}; }
PageHelp AboutPageHelp() { return {kAboutPageDialog, kAboutPageHelpContext, kAboutHelp}; }

}  // namespace tq::faxui
