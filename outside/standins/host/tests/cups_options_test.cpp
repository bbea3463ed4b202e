// What the fax queue's CUPS names mean to the host: the job's PPD options as
// qlhost settings, the queue's device URI, and a print server's control file.
#include <gtest/gtest.h>

#include "host/cups_options.h"
#include "host/lpd_job.h"

namespace tq::host {
namespace {

TEST(CupsOptions, FaxOptionsBecomeSettingsAndCupsOwnAreLeftOut) {
  EXPECT_EQ(SettingsFromCupsOptions("PageSize=A4 TelequillJob=Fax TelequillResolution=Superfine job-uuid=urn:uuid:1 "
                                    "TelequillReport=OnError TelequillHeader=Off",
                                    1),
            "job-mode=fax resolution=superfine report=on-error header=off");
  EXPECT_EQ(SettingsFromCupsOptions("", 1), "");
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob", 1), "");
}

TEST(CupsOptions, CopiesCountOnlyWhenMoreThanOneAndWithinRange) {
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob=Print", 3), "job-mode=print copies=3");
  EXPECT_EQ(SettingsFromCupsOptions("", 1), "");
  EXPECT_EQ(SettingsFromCupsOptions("", 0), "");
  EXPECT_EQ(SettingsFromCupsOptions("", 999), "copies=999");
  EXPECT_EQ(SettingsFromCupsOptions("", 1000), "");
}

// A value is one plain word: nothing in it can add or change another setting.
TEST(CupsOptions, ValuesThatAreNotPlainWordsAreDropped) {
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob=fax;copies=9", 1), "");
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob=fax=print", 1), "");
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob= TelequillHeader=On", 1), "header=on");
  EXPECT_EQ(SettingsFromCupsOptions("TelequillJob=Fax\ncopies=9", 1), "");
  EXPECT_EQ(SettingsFromCupsOptions("TelequillResolution=Fin\xC3\xA9", 1), "");
}

TEST(CupsDeviceUri, RawPortsAndPrintServerQueuesWithTheModel) {
  DeviceTarget target;
  std::string error;
  ASSERT_TRUE(ParseDeviceUri("telequill:/socket://10.0.0.5:9100?model=p", target, error)) << error;
  EXPECT_EQ(target.uri, "socket://10.0.0.5:9100");
  EXPECT_EQ(target.model, "p");
  ASSERT_TRUE(ParseDeviceUri("telequill:/lpd://printer.example/fax", target, error)) << error;
  EXPECT_EQ(target.uri, "lpd://printer.example/fax");
  EXPECT_EQ(target.model, "n");
  for (const char* bad : {"socket://10.0.0.5:9100", "telequill:/ipp://10.0.0.5/fax", "telequill:/socket://host",
                          "telequill:/socket://host:9100?model=x", "telequill:/lpd://host", "telequill:/lpd://host/"}) {
    EXPECT_FALSE(ParseDeviceUri(bad, target, error)) << bad;
    EXPECT_NE(error.find("not a fax queue's device"), std::string::npos) << error;
  }
}

TEST(LpdUri, PortIs515UnlessNamed) {
  LpdAddress address;
  std::string error;
  ASSERT_TRUE(ParseLpdUri("lpd://server/fax", address, error));
  EXPECT_EQ(address.server.host, "server");
  EXPECT_EQ(address.server.port, "515");
  EXPECT_EQ(address.queue, "fax");
  ASSERT_TRUE(ParseLpdUri("lpd://[::1]:1515/raw/", address, error));
  EXPECT_EQ(address.server.host, "::1");
  EXPECT_EQ(address.server.port, "1515");
  EXPECT_EQ(address.queue, "raw");
  ASSERT_TRUE(ParseLpdUri("lpd://[::1]/raw", address, error));
  EXPECT_EQ(address.server.port, "515");
  for (const char* bad : {"lpd://server", "lpd:///fax", "lpd://server:0/fax", "lpd://server/a/b", "lpd://server/a b",
                          "socket://server:515"}) {
    EXPECT_FALSE(ParseLpdUri(bad, address, error)) << bad;
  }
}

TEST(LpdControlFile, NamesTheJobAndKeepsEveryValueOnItsLine) {
  EXPECT_EQ(LpdControlFile({1234, "poste-1", "marie", "Devis \"mars\""}),
            "Hposte-1\nPmarie\nJDevis \"mars\"\nldfA234poste-1\nUdfA234poste-1\nNDevis \"mars\"\n");
  // A line end or a byte above 0x7F in a value cannot start a line of its own.
  EXPECT_EQ(LpdControlFile({5, "h\nost", "a\nProot", "R\xC3\xA9sum\xC3\xA9\r\nlother"}),
            "Hh_ost\nPa_Proot\nJR__sum____lother\nldfA005h_ost\nUdfA005h_ost\nNR__sum____lother\n");
}

}  // namespace
}  // namespace tq::host
