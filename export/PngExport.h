#pragma once
// Multi-size PNG export: one square PNG of the full 16 x 16 area per size.

#include <string>
#include <vector>

#include "document/Document.h"
#include "export/SizeSet.h"
#include "export/SizeWorkers.h"

namespace twk {

class ExportProgress;

struct ExportJob {
  float scale = 1;   // pixels per unit; the file is 16 x scale pixels square
  std::string path;  // the file to write
};

// The jobs for `sizes`, largest first, each named base + "." + size text +
// ".png".
std::vector<ExportJob> ExportJobsFor(const std::string& base, const SizeSet& sizes);

enum class JobResult : char { kNotStarted, kWritten, kFailed };

// Renders `doc` with the full area at each job's scale and writes it to the
// job's path; the outcome of each job, in job order. The work may be spread
// over several threads. With `progress`, each job done is counted there,
// and once it asks to stop no further job is started. With `errors`, the
// errno of each failed job (0 when none tells) is kept there, in job order.
std::vector<JobResult> WritePngJobs(const TWKFILE& doc, const std::vector<ExportJob>& jobs, ExportProgress* progress,
                                   EdgeFit fit = EdgeFit::kAsDrawn, std::vector<int>* errors = nullptr);

}  // namespace twk
