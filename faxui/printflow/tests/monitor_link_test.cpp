// The monitor link against the stand-in client library: the installation
// checks, the call order of one job, both data formats, and the failures
// that must leave the job without a connection.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "monitor_test_support.h"
#include "printflow/monitor_link.h"
#include "testing/temp_root.h"

namespace {

using namespace tq::faxui;
using printflow_test::Announcements;
using printflow_test::MonitorCalls;
using printflow_test::RegisterMonitor;
using printflow_test::StandInLibrary;
using Calls = std::vector<std::string>;

class MonitorLink : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    installed_ = path("Ledgra.exe").string();
    tq::testing::WriteText(installed_, "installed");
    std::strcpy(options_.clientId, "stale");
  }
  void TearDown() override {
    if (standIn_ != nullptr) dlclose(standIn_);
    TempRoot::TearDown();
  }

  bool Open(MonitorConnection& connection) { return OpenMonitorConnection(connection, options_); }
  // Makes the stand-in fail `calls`; it stays loaded (and failing) until the
  // test ends, the plug-in loading and unloading it in between.
  void FailStandIn(const char* calls) {
    standIn_ = dlopen(StandInLibrary("VqrApi").c_str(), RTLD_NOW);
    ASSERT_NE(standIn_, nullptr) << dlerror();
    auto fail = reinterpret_cast<void (*)(const char*)>(dlsym(standIn_, "VqrStandInFail"));
    ASSERT_NE(fail, nullptr);
    fail(calls);
  }

  static NotedNames Names() {
    NotedNames names;
    std::strcpy(names.portName, "IP_10.0.0.5");
    std::strcpy(names.printerName, "Telequill Fax");
    std::strcpy(names.documentName, "Devis 12");
    return names;
  }

  std::string installed_;
  tq::FaxOptionsBlock options_ = tq::DefaultFaxDS;
  void* standIn_ = nullptr;
};

TEST_F(MonitorLink, InstallationChecksThatFail) {
  struct Case {
    const char* what;
    std::string installed;
    std::string library;
  };
  const Case cases[] = {
      {"default value naming a missing file", path("absent.exe").string(), StandInLibrary("VqrApi")},
      {"no default value", "", StandInLibrary("VqrApi")},
      {"no library value", installed_, ""},
      {"library value naming a missing file", installed_, path("VqrApi.so").string()},
  };
  MonitorConnection unregistered;
  EXPECT_FALSE(Open(unregistered)) << "no key at all";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(root() / "registry");
    RegisterMonitor(c.installed, c.library);
    std::strcpy(options_.clientId, "stale");
    MonitorConnection connection;
    EXPECT_FALSE(Open(connection));
    EXPECT_FALSE(connection.open());
    EXPECT_EQ(connection.library, nullptr);
    EXPECT_STREQ(options_.clientId, "");
  }
  EXPECT_TRUE(MonitorCalls(root()).empty());
}

TEST_F(MonitorLink, FaxJobInTheExtendedFormat) {
  RegisterMonitor(installed_, StandInLibrary("VqrApi"));
  MonitorConnection connection;
  ASSERT_TRUE(Open(connection));
  EXPECT_STREQ(options_.clientId, "TQCLIENT.J0001");
  EXPECT_TRUE(connection.hasDataEx);
  auto& destination = connection.announcement->destination;
  destination.kind = tq::monitor::kKindFax;
  std::strcpy(destination.recipientSummary, "Dupont and 1 others");
  std::strcpy(destination.numberSummary, "0123 ...");
  SendAnnouncementAndClose(connection, Names());

  EXPECT_EQ(connection.library, nullptr) << "unloaded once announced";
  EXPECT_EQ(connection.loadCount, 0);
  EXPECT_EQ(MonitorCalls(root()), (Calls{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId",
                                         "VqrSetVqrDataEx", "VqrExecLedgra", "VqrUnInitializeLedgra"}));
  ASSERT_EQ(Announcements(root()).size(), 1u);
  if (sizeof(void*) == 4) GTEST_SKIP() << "the record's address varies on a 32-bit build";
  EXPECT_EQ(Announcements(root())[0],
            "{\"format\":\"extended\",\"headerSize\":600,\"recordCount\":1,\"value8\":3,\"value12\":11,"
            "\"portName\":\"IP_10.0.0.5\",\"printerName\":\"Telequill Fax\",\"userName\":\"U\",\"firstRecord\":600,"
            "\"destination\":{\"recordSize\":812,\"kind\":1,\"time\":T,\"portName\":\"IP_10.0.0.5\","
                "\"jobId\":\"J0001\",\"documentName\":\"Devis 12\",\"recipientSummary\":\"Dupont and 1 others\","
                "\"numberSummary\":\"0123 ...\",\"copies\":0,\"value664\":0,\"text668\":\"\",\"trayName\":\"\"}}");
}

TEST_F(MonitorLink, LibraryWithoutExtendedCallGetsTheOlderFormat) {
  RegisterMonitor(installed_, StandInLibrary("VqrApiNoEx"));
  MonitorConnection connection;
  ASSERT_TRUE(Open(connection));
  EXPECT_FALSE(connection.hasDataEx);
  auto& destination = connection.announcement->destination;
  destination.kind = tq::monitor::kKindPrint;
  destination.copies = 1;
  std::strcpy(destination.trayName, "Bac");  // not part of the older format
  std::strcpy(destination.recipientSummary, "Nom inconnu");
  SendAnnouncementAndClose(connection, Names());

  EXPECT_EQ(MonitorCalls(root()), (Calls{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId",
                                         "VqrSetVqrData", "VqrExecLedgra", "VqrUnInitializeLedgra"}));
  if (sizeof(void*) == 4) GTEST_SKIP() << "the record's address varies on a 32-bit build";
  EXPECT_EQ(Announcements(root()),
            Calls{"{\"format\":\"older\",\"count\":1,\"value4\":2,\"value8\":11,\"portName\":\"IP_10.0.0.5\","
                  "\"printerName\":\"Telequill Fax\",\"firstRecord\":532,\"destinations\":[{\"recordSize\":660,"
                  "\"kindFlag\":0,\"time\":T,\"portName\":\"IP_10.0.0.5\",\"jobId\":\"J0001\","
                  "\"documentName\":\"Devis 12\",\"recipientSummary\":\"Nom inconnu\",\"numberSummary\":\"\"}],"
                  "\"truncated\":false}"});
}

TEST_F(MonitorLink, LibraryLackingGroupStyleIsNotUsed) {
  RegisterMonitor(installed_, StandInLibrary("VqrApiNoGroup"));
  MonitorConnection connection;
  EXPECT_FALSE(Open(connection));
  EXPECT_EQ(connection.library, nullptr);
  EXPECT_STREQ(options_.clientId, "");
  EXPECT_TRUE(MonitorCalls(root()).empty());
}

TEST_F(MonitorLink, FailedInitialisationUnloadsTheLibrary) {
  RegisterMonitor(installed_, StandInLibrary("VqrApi"));
  FailStandIn("initialize");
  MonitorConnection connection;
  EXPECT_FALSE(Open(connection));
  EXPECT_EQ(connection.library, nullptr);
  EXPECT_EQ(connection.loadCount, 0);
  EXPECT_STREQ(options_.clientId, "");
  EXPECT_EQ(MonitorCalls(root()), Calls{"VqrInitializeLedgra"});
}

TEST_F(MonitorLink, RefusedDataIsNotExecuted) {
  RegisterMonitor(installed_, StandInLibrary("VqrApi"));
  FailStandIn("data");
  MonitorConnection connection;
  ASSERT_TRUE(Open(connection));
  SendAnnouncementAndClose(connection, Names());
  EXPECT_EQ(MonitorCalls(root()), (Calls{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId",
                                         "VqrSetVqrDataEx", "VqrUnInitializeLedgra"}));
}

TEST_F(MonitorLink, ClosedWithoutAnnouncing) {
  RegisterMonitor(installed_, StandInLibrary("VqrApi"));
  {
    MonitorConnection connection;
    ASSERT_TRUE(Open(connection));
  }  // a connection left open is closed when it goes
  EXPECT_EQ(MonitorCalls(root()),
            (Calls{"VqrInitializeLedgra", "VqrCreateClientId", "VqrCreateJobId", "VqrUnInitializeLedgra"}));
  EXPECT_TRUE(Announcements(root()).empty());
}

}  // namespace
