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

// Renders `doc` at `scale` with the full area and writes it to `path`.
bool ExportPngFile(const TWKFILE& doc, const std::string& path, float scale);

// The jobs for `sizes`, largest first, each named base + "." + size text +
// ".png".
std::vector<ExportJob> ExportJobsFor(const std::string& base, const SizeSet& sizes);

// Writes every job; the work may be spread over several threads, but the
// result lists the failed jobs in job order.
std::vector<ExportJob> ExportPngFiles(const TWKFILE& doc, const std::vector<ExportJob>& jobs,
                                      EdgeFit fit = EdgeFit::kAsDrawn);

enum class JobResult : char { kNotStarted, kWritten, kFailed };

// ExportPngFiles with the outcome of each job, in job order. With
// `progress`, each job done is counted there, and once it asks to stop no
// further job is started.
std::vector<JobResult> WritePngJobs(const TWKFILE& doc, const std::vector<ExportJob>& jobs, ExportProgress* progress,
                                   EdgeFit fit = EdgeFit::kAsDrawn);

// "(" + size text + ") : " + path + "\r\n" for each failed job, in order.
std::string ExportFailureText(const std::vector<ExportJob>& failed);

}  // namespace twk
