// The job's output file, written as a stream: it appears whole under its
// name or not at all.
#pragma once

#include <string>

#include "host/job_sink.h"

namespace tq::host {

// Runs `produce` into a temporary file beside `path` and renames it over
// `path` (not flushed to disk: the job can be made again). On any failure
// (of `produce`, a write or the rename) the temporary is removed, an old file at `path` stays as it was
// and `error` names the file and the cause.
[[nodiscard]] bool ReplaceFileStreaming(const std::string& path, const JobProducer& produce, std::string& error);

}  // namespace tq::host
