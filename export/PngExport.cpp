#include "export/PngExport.h"

#include <algorithm>
#include <set>

#include "export/ExportProgress.h"
#include "export/ExportSizes.h"
#include "export/SizeWorkers.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// One job; an exception (out of memory while rendering or encoding) counts
// as a failed file like any other failure.
bool WriteOne(SizeWorker& worker, const TWKFILE& doc, const ExportJob& job, EdgeFit fit = EdgeFit::kAsDrawn) {
  try {
    return worker.WritePng(doc, job.scale, job.path, fit);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool ExportPngFile(const TWKFILE& doc, const std::string& path, float scale) {
  SizeWorker worker;
  return WriteOne(worker, doc, {scale, path});
}

std::vector<ExportJob> ExportJobsFor(const std::string& base, const SizeSet& sizes) {
  std::vector<ExportJob> jobs;
  for (auto it = sizes.edges().rbegin(); it != sizes.edges().rend(); ++it) {
    const float scale = ScaleOfEdge(*it);
    jobs.push_back({scale, ExportFileName(base, scale)});
  }
  return jobs;
}

namespace {

bool HasRepeatedPath(const std::vector<ExportJob>& jobs) {
  std::set<std::string> seen;
  for (const ExportJob& job : jobs) {
    if (!seen.insert(job.path).second) return true;
  }
  return false;
}

}  // namespace

std::vector<JobResult> WritePngJobs(const TWKFILE& doc, const std::vector<ExportJob>& jobs, ExportProgress* progress,
                                   EdgeFit fit) {
  std::vector<JobResult> results(jobs.size(), JobResult::kNotStarted);
  if (progress) progress->Begin(jobs.size());
  // The jobs are taken in order, so the largest file starts first and the
  // rest fill the other core. Jobs writing the same path would race, so
  // such a list is written one job after the other, as given.
  RunJobs<SizeWorker>(
      jobs.size(),
      [&](SizeWorker& worker, std::size_t i) {
        if (progress && progress->StopRequested()) return;
        results[i] = WriteOne(worker, doc, jobs[i], fit) ? JobResult::kWritten : JobResult::kFailed;
        if (progress) progress->FileDone();
      },
      HasRepeatedPath(jobs) ? TaskThreads::kOne : TaskThreads::kTwo);
  return results;
}

std::vector<ExportJob> ExportPngFiles(const TWKFILE& doc, const std::vector<ExportJob>& jobs, EdgeFit fit) {
  const std::vector<JobResult> results = WritePngJobs(doc, jobs, nullptr, fit);
  std::vector<ExportJob> failed;
  for (std::size_t i = 0; i < jobs.size(); ++i)
    if (results[i] != JobResult::kWritten) failed.push_back(jobs[i]);
  return failed;
}

std::string ExportFailureText(const std::vector<ExportJob>& failed) {
  std::string text;
  for (const ExportJob& job : failed) text += "(" + SizeText(job.scale) + ") : " + job.path + "\r\n";
  return text;
}

}  // namespace twk
