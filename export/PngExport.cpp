#include "export/PngExport.h"

#include <algorithm>
#include <set>

#include "export/ExportSizes.h"
#include "export/SizeWorkers.h"

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

std::vector<ExportJob> ExportPngFiles(const TWKFILE& doc, const std::vector<ExportJob>& jobs, EdgeFit fit) {
  std::vector<char> ok(jobs.size(), 0);
  // The jobs are taken in order, so the largest file starts first and the
  // rest fill the other core. Jobs writing the same path would race, so
  // such a list is written one job after the other, as given.
  RunOnSizeWorkers(
      jobs.size(), [&](SizeWorker& worker, std::size_t i) { ok[i] = WriteOne(worker, doc, jobs[i], fit) ? 1 : 0; },
      HasRepeatedPath(jobs) ? TaskThreads::kOne : TaskThreads::kTwo);

  std::vector<ExportJob> failed;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    if (!ok[i]) failed.push_back(jobs[i]);
  }
  return failed;
}

std::string ExportFailureText(const std::vector<ExportJob>& failed) {
  std::string text;
  for (const ExportJob& job : failed) text += "(" + SizeText(job.scale) + ") : " + job.path + "\r\n";
  return text;
}

}  // namespace twk
