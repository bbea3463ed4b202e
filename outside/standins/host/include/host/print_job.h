// One print job through the host: the document events for the Fax UI
// plug-in, then the PJL stream with the render plug-in's lines around the
// document's bytes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/given_job.h"
#include "host/document_source.h"
#include "host/job_sink.h"
#include "host/plugin_set.h"
#include "host/settings_layout.h"

namespace tq::host {

struct PrintRequest {
  std::string documentPath;
  std::string docName;  // the application's document name; empty: the file's name
  // The printer's port as the spooler names it ("FILE:" for a file, the
  // URI of a printer's raw port); the plug-in tells the document monitor.
  std::string portName = "FILE:";
  // Options for this job only, by the names of `qlhost settings set`.
  std::vector<std::pair<std::string, std::string>> overrides;
  int conversionSeconds = 300;  // a PDF or PostScript conversion that takes longer is stopped
  // The layout of a PDF, PostScript or text document: the pages to print
  // ("2-3,7"; empty: all), pages on each sheet, each page fitted to A4.
  std::string pages;
  int numberUp = 1;
  bool fitToPage = false;
  // A fax job's recipients given with it: no prompt is shown. Empty `to`:
  // the prompt asks for them.
  GivenJob given;
};

// Refused: the job cannot be sent as it was given (its recipients, its
// delay, a document that cannot be printed); nothing was sent and `error`
// says why.
enum class PrintStatus { Done, Cancelled, Refused, Failed };

struct PrintOutcome {
  PrintStatus status = PrintStatus::Failed;
  std::string error;   // what failed, when Failed or Refused
};

// The job's settings: the document settings with this job's options, a
// fresh send block and job state, and the host fields the copies rule reads
// set from the copies count. False with a message on a bad option.
[[nodiscard]] bool PrepareJobSettings(const SettingsBlock& documentSettings, const AddOnTable& table,
                                      const SettingsLayout& layout, const PrintRequest& request,
                                      SettingsBlock& job, std::string& error);

// How a PDF, PostScript or text document is rendered for this job: a fax at
// its fax resolution in black and white, anything else at 600 dpi in
// colour, with the request's layout.
Conversion ConversionFor(const SettingsBlock& job, const SettingsLayout& layout, const PrintRequest& request);

// Opens the document (refusing what cannot be printed before anyone is
// asked anything), raises the document events with the fax prompt, then
// streams the job to `target`. Nothing reaches the target when the job is
// refused or cancelled; a file target appears whole or not at all.
PrintOutcome RunPrintJob(const PluginSet& plugins, const SettingsBlock& documentSettings,
                         const SettingsLayout& layout, const PrintRequest& request, const JobTarget& target);

}  // namespace tq::host
