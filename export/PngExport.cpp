#include "export/PngExport.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <set>

#include "export/ExportProgress.h"
#include "export/ExportSizes.h"
#include "export/SizeWorkers.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// One job; an exception (out of memory while rendering or encoding) counts
// as a failed file like any other failure, and a stop that gave the picture
// up leaves the job not started. `error` takes the errno of a failure (0
// when none tells).
JobResult WriteOne(SizeWorker& worker, const TWKFILE& doc, const ExportJob& job, EdgeFit fit,
                   const ExportProgress* progress, int& error) {
  errno = 0;
  try {
    if (worker.WritePng(doc, job.scale, job.path, fit, progress)) return JobResult::kWritten;
    error = errno;
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  return progress && progress->StopRequested() ? JobResult::kNotStarted : JobResult::kFailed;
}

}  // namespace

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
                                   EdgeFit fit, std::vector<int>* errors) {
  std::vector<JobResult> results(jobs.size(), JobResult::kNotStarted);
  std::vector<int> failures(jobs.size(), 0);
  if (progress) progress->Begin(jobs.size());
  // The jobs are taken in order, so the largest file starts first and the
  // rest fill the other core. Jobs writing the same path would race, so
  // such a list is written one job after the other, as given.
  RunJobs<SizeWorker>(
      jobs.size(),
      [&](SizeWorker& worker, std::size_t i) {
        if (progress && progress->StopRequested()) return;
        results[i] = WriteOne(worker, doc, jobs[i], fit, progress, failures[i]);
        if (progress && results[i] != JobResult::kNotStarted) progress->FileDone();
      },
      HasRepeatedPath(jobs) ? TaskThreads::kOne : TaskThreads::kTwo);
  if (errors) *errors = std::move(failures);
  return results;
}

}  // namespace twk
