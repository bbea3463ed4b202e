// The host's document settings file on arbitrary bytes, read as `qlhost
// settings show` and `set` read it: loaded (or refused with a message naming
// the file), then described and changed.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/addon_table.h"
#include "common/fax_job_settings.h"
#include "host/host_options.h"
#include "host/settings_store.h"
#include "testing/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tq::host;
  using tq::AddOnTable;
  static const AddOnTable table = tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, nullptr, nullptr, nullptr);
  static const SettingsLayout layout = LayoutFor(table);
  const std::string file = tq::testing::WriteFuzzInput("host-settings", "document-settings-n.dat", data, size);
  SettingsBlock block;
  std::string error;
  switch (LoadSettings(file, tq::Model::N, layout, block, error)) {
    case LoadResult::Loaded: {
      (void)DescribeSettings(block, layout);
      for (const char* assignment : {"resolution=fine", "copies=2", "secure-password=1234", "tray=upper"}) {
        (void)ApplyAssignment(block, layout, assignment, error);
      }
      (void)DescribeSettings(block, layout);
      break;
    }
    case LoadResult::Refused:
      if (error.find(file) == std::string::npos) std::abort();
      break;
    case LoadResult::Missing: std::abort();
  }
  unlink(file.c_str());
  return 0;
}
