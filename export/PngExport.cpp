#include "export/PngExport.h"

#include <algorithm>
#include <atomic>
#include <set>
#include <system_error>
#include <thread>

#include "export/ExportSizes.h"
#include "persist/FileAccess.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

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

std::vector<ExportJob> ExportJobsForMask(const std::string& base, int mask) {
  std::vector<ExportJob> jobs;
  for (int i = kExportSizeCount - 1; i >= 0; --i) {
    if (mask & (1 << i)) {
      const float scale = kExportScales[static_cast<std::size_t>(i)];
      jobs.push_back({scale, ExportFileName(base, scale)});
    }
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
  // Two workers take the jobs in order, so the largest file starts first and
  // the rest fill the other core. Jobs writing the same path would race, so
  // such a list is written one job after the other, as given.
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < jobs.size(); i = next++) ok[i] = RunJob(doc, jobs[i]) ? 1 : 0;
  };
  std::thread helper;
  if (jobs.size() > 1 && !HasRepeatedPath(jobs)) {
    try {
      helper = std::thread(work);
    } catch (const std::system_error&) {
      // No second thread: the calling thread does all the jobs.
    }
  }
  work();
  if (helper.joinable()) helper.join();

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
