// Every help context the plug-in gives has a topic in each model's help
// file: the contexts of the dialogs, and those the built plug-in hands the
// host with its pages (page contexts, help pairs, control descriptions).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/addon_table.h"
#include "common/host_pages.h"
#include "common/host_settings.h"
#include "faxui/resource_ids.h"
#include "testing/temp_root.h"

namespace tq {
namespace {

// The heading of the topic `context`; empty when the file has none.
std::string TopicHeading(const std::string& html, int context) {
  const std::string start = "<h2 id=\"context-" + std::to_string(context) + "\">";
  const std::size_t at = html.find(start);
  if (at == std::string::npos) return {};
  const std::size_t end = html.find("</h2>", at);
  return end == std::string::npos ? std::string{} : html.substr(at + start.size(), end - at - start.size());
}

// What the plug-in hands the host's add-pages service.
std::vector<PageSet> handed;
void TakePages(void*, const PageSet* pages, std::int32_t, HINSTANCE, HINSTANCE, PageProc, std::int32_t, std::int32_t,
               std::int32_t) {
  handed.push_back(*pages);
}

// The contexts of the page sets the built plug-in offers, with and
// without the fax feature.
std::set<int> PageContexts(const char* plugin) {
  void* handle = dlopen((std::string(TELEQUILL_BIN_DIR) + "/" + plugin).c_str(), RTLD_NOW | RTLD_LOCAL);
  EXPECT_NE(handle, nullptr) << dlerror();
  if (handle == nullptr) return {};
  const auto table = reinterpret_cast<const AddOnTable* (*)()>(dlsym(handle, "GetFuncTable"))();
  HostServiceTable services{};
  services.addPages = TakePages;
  DeviceObject device{};
  device.serviceTable = &services;
  std::vector<unsigned char> settings(4096);
  constexpr std::size_t kPrivate = 2048;
  hsb::SetField(settings.data(), hsb::kPrivateAreaOffset, kPrivate);
  handed.clear();
  for (int feature : {1, 0}) {
    hsb::SetField(settings.data() + kPrivate, hsb::priv::kFaxFeature, feature);
    table->propertyPages(&device, nullptr, settings.data());
  }
  std::set<int> contexts;
  for (const PageSet& set : handed) {
    for (int i = 0; i < set.count; ++i) {
      const PageDescriptor& page = set.pages[i];
      contexts.insert(page.helpContext);
      for (const HelpPair* pair = page.helpPairs; pair->control != 0 || pair->context != 0; ++pair) {
        if (pair->control != static_cast<DWORD>(page.templateId)) contexts.insert(static_cast<int>(pair->context));
      }
      for (int c = 0; c < page.controlCount; ++c) contexts.insert(page.controls[c].helpContext);
    }
  }
  contexts.erase(0);  // no help
  dlclose(handle);
  return contexts;
}

TEST(HelpTopics, EveryContextOfTheDialogsAndPagesHasATopic) {
  for (const char* model : {"n", "p"}) {
    SCOPED_TRACE(model);
    const std::set<int> pages = PageContexts(model[0] == 'n' ? "qlfaxuin.so" : "qlfaxuip.so");
    EXPECT_EQ(handed.size(), 2u) << "one page set with the fax feature, one without";
    // The pages give the contexts listed for them, and no other.
    const std::set<int> listed(std::begin(faxui::kHelpContexts), std::end(faxui::kHelpContexts));
    for (int context : pages) EXPECT_EQ(listed.count(context), 1u) << context << " is not in kHelpContexts";
    for (int context : {111, 212, 213, 214, 215, 10000, 15000}) EXPECT_EQ(pages.count(context), 1u) << context;

    const std::string html = testing::ReadText(std::string(TELEQUILL_BIN_DIR) + "/qlhelp" + model + ".html");
    for (int context : listed) EXPECT_FALSE(TopicHeading(html, context).empty()) << "no topic for " << context;
    // Each topic once: a second one with the same context is never shown.
    for (std::size_t at = html.find("id=\"context-"); at != std::string::npos; at = html.find("id=\"context-", at + 1)) {
      const std::string id = html.substr(at, html.find('"', at + 4) - at);
      EXPECT_EQ(html.find(id + "\"", at + 1), std::string::npos) << id << " twice";
    }
    // The Import application opens this file at its dialogs' contexts:
    // source choice, CSV selection, speed-dial selection.
    for (int context : {15510, 15511, 15514}) {
      const std::string heading = TopicHeading(html, context);
      EXPECT_FALSE(heading.empty()) << "no topic for the Import application's " << context;
      const std::size_t body = html.find("<p>", html.find("context-" + std::to_string(context)));
      EXPECT_NE(body, std::string::npos) << context << " has a heading but no text";
    }
  }
}

}  // namespace
}  // namespace tq
