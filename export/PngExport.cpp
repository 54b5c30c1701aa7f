#include "export/PngExport.h"

#include <algorithm>
#include <set>

#include "export/ExportSizes.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "render/TaskPool.h"

namespace twk {

bool ExportPngFile(const TWKFILE& doc, const std::string& path, float scale) {
  // The image is released when it goes out of scope, on every path.
  std::unique_ptr<Image> image = RenderDocument(doc, scale, scale, RenderArea::kFull);
  if (!image) return false;
  // Encoded in memory and written beside the target, then renamed over it:
  // a failed write (a full disk) leaves any previous file whole.
  const std::vector<std::uint8_t> bytes = EncodePng(*image);
  return !bytes.empty() &&
         ReplaceFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, {}) == ResultCode::kOk;
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

// One job; an exception (out of memory while rendering or encoding) counts
// as a failed file like any other failure.
bool RunJob(const TWKFILE& doc, const ExportJob& job) {
  try {
    return ExportPngFile(doc, job.path, job.scale);
  } catch (...) {
    return false;
  }
}

bool HasRepeatedPath(const std::vector<ExportJob>& jobs) {
  std::set<std::string> seen;
  for (const ExportJob& job : jobs) {
    if (!seen.insert(job.path).second) return true;
  }
  return false;
}

}  // namespace

std::vector<ExportJob> ExportPngFiles(const TWKFILE& doc, const std::vector<ExportJob>& jobs) {
  std::vector<char> ok(jobs.size(), 0);
  // The jobs are taken in order, so the largest file starts first and the
  // rest fill the other core. Jobs writing the same path would race, so
  // such a list is written one job after the other, as given.
  TaskPool::Shared().Run(jobs.size(), [&](std::size_t i) { ok[i] = RunJob(doc, jobs[i]) ? 1 : 0; },
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
