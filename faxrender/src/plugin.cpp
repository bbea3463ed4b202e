// The render plug-in's entry: GetFuncTable, its only export, and the write
// hook the host's graphics module calls at job start, settings and end.
#include "common/addon_table.h"
#include "common/fax_job_settings.h"
#include "do_time_string.h"
#include "faxrender/job_writer.h"
#include "win/export.h"

namespace {

void AddOnWriteCallback(tq::DeviceObject* device, tq::OutputObject* output, void* settings,
                        void* /*unused4*/, std::int32_t addOnId, std::int32_t event,
                        std::int32_t flag, tq::FaxOptionsBlock* options, void* /*unused9*/) {
  tq::render::WriteJobEvent(device, output, settings, addOnId, event, flag, options,
                            tq::render::DoTimeString);
}

constexpr tq::AddOnTable kFuncTable = tq::MakeFaxAddOnTable(
    &tq::DefaultFaxDS, &tq::DefaultFaxSS, nullptr, AddOnWriteCallback, nullptr);

}  // namespace

TQ_EXPORT const tq::AddOnTable* GetFuncTable() {
  return &kFuncTable;
}
