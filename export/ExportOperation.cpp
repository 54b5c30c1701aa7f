#include "export/ExportOperation.h"

#include <cassert>
#include <cerrno>

#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/FileTypes.h"
#include "export/IconSetExport.h"
#include "export/IconExport.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"

namespace twk {

namespace {

FileOutcome OutcomeOf(bool written) { return written ? FileOutcome::kWritten : FileOutcome::kFailed; }

FileOutcome OutcomeOf(SvgWrite write) {
  switch (write) {
    case SvgWrite::kWritten: return FileOutcome::kWritten;
    case SvgWrite::kTooLarge: return FileOutcome::kTooLarge;
    case SvgWrite::kFailed: break;
  }
  return FileOutcome::kFailed;
}

void ExportPngs(const ExportRequest& request, ExportReport& report) {
  const std::vector<ExportJob> jobs = ExportJobsFor(request.base, request.sizes);
  std::vector<int> errors;
  const std::vector<JobResult> results = WritePngJobs(request.doc, jobs, request.progress, request.fit, &errors);
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    if (results[i] == JobResult::kNotStarted) {
      report.stopped = true;
      continue;
    }
    SizeSet size;
    size.Add(ExportEdge(jobs[i].scale));
    report.files.push_back({jobs[i].path, size, OutcomeOf(results[i] == JobResult::kWritten), errors[i]});
  }
}

// The sets' files, planned from the request, each with its outcome; those a
// stop left unstarted are not listed.
void ExportIconSets(const ExportRequest& request, ExportReport& report) {
  report.folder = request.base;
  for (const SetFileResult& result :
       WriteIconSets(request.doc, request.sets, request.base, request.setName, request.progress, request.fit,
                     request.ground)) {
    if (result.outcome == SetFileOutcome::kNotStarted) {
      report.stopped = true;
      continue;
    }
    if (result.outcome == SetFileOutcome::kNoFolder) report.folderNotMade = true;
    const FileOutcome outcome = result.outcome == SetFileOutcome::kWritten ? FileOutcome::kWritten
                                : result.outcome == SetFileOutcome::kTooLarge ? FileOutcome::kTooLarge
                                                                              : FileOutcome::kFailed;
    report.files.push_back({result.path, result.file.sizes, outcome, result.error});
  }
}

// The one file of an SVG or icon export, unless a stop came first.
template <typename Write>
void ExportOneFile(const ExportRequest& request, ExportReport& report, const std::string& path, const SizeSet& sizes,
                   Write write) {
  ExportProgress* progress = request.progress;
  if (progress) progress->Begin(1);
  if (progress && progress->StopRequested()) {
    report.stopped = true;
    return;
  }
  errno = 0;
  const FileOutcome outcome = OutcomeOf(write());
  report.files.push_back({path, sizes, outcome, outcome == FileOutcome::kFailed ? errno : 0});
  if (progress) progress->FileDone();
}

}  // namespace

bool ExportReport::AnyFailed() const {
  for (const ExportedFile& file : files) {
    if (file.outcome != FileOutcome::kWritten) return true;
  }
  return false;
}

ExportReport RunExport(const ExportRequest& request) {
  ExportReport report;
  report.format = request.format;
  if (request.format == ExportFormat::kIconSets) {
    ExportIconSets(request, report);
    return report;
  }
  const FormatSizes split = SplitSizes(request.format, request.sizes);
  report.leftOut = split.leftOut;
  if (split.held.empty()) return report;
  const std::string path = request.base + "." + FormatName(request.format);
  switch (request.format) {
    case ExportFormat::kPng: ExportPngs(request, report); break;
    case ExportFormat::kSvg: {
      SizeSet one;
      one.Add(split.held.edges().front());
      ExportOneFile(request, report, path, one, [&] { return WriteSvgFile(request.doc, path, one.edges().front()); });
      break;
    }
    default:
      ExportOneFile(request, report, path, split.held,
                    [&] { return ExportIconFile(request.doc, request.format, path, split.held, request.fit); });
  }
  return report;
}

std::vector<std::string> ExportOutputPaths(const ExportRequest& request) {
  std::vector<std::string> paths;
  if (request.format == ExportFormat::kIconSets) {
    for (const SetFile& file : PlanIconSets(request.sets, request.setName))
      paths.push_back(IconSetFilePath(request.base, file));
  } else if (request.format == ExportFormat::kPng) {
    for (const ExportJob& job : ExportJobsFor(request.base, SplitSizes(request.format, request.sizes).held))
      paths.push_back(job.path);
  } else {
    paths.push_back(request.base + "." + FormatName(request.format));
  }
  return paths;
}

std::vector<ExportMessage> ExportMessages(const ExportReport& report) {
  std::vector<ExportMessage> messages;
  if (report.folderNotMade) return {{ExportMessageKind::kError, "Can't make the folder:\r\n" + report.folder}};
  std::string failed;
  for (const ExportedFile& file : report.files) {
    if (file.outcome == FileOutcome::kTooLarge)
      messages.push_back({ExportMessageKind::kError,
                          std::string(report.format == ExportFormat::kIconSets ? "The file" : "The SVG") +
                              " would be larger than 64 MiB: " + file.path});
    if (file.outcome == FileOutcome::kFailed) failed += FailedFileText(report.format, file) + "\r\n";
  }
  if (!failed.empty()) messages.push_back({ExportMessageKind::kError, ExportFailureMessage(failed)});
  if (report.stopped) {
    const std::vector<std::string> written = WrittenFiles(report);
    std::string text = written.empty() ? "The export was cancelled before any file was written."
                                       : "The export was cancelled. The files written are:";
    for (const std::string& path : written) text += "\r\n" + path;
    messages.push_back({ExportMessageKind::kInformation, text});
  } else if (report.format == ExportFormat::kIconSets && !report.AnyFailed()) {
    messages.push_back({ExportMessageKind::kInformation, IconSetsWrittenMessage(report.files.size(), report.folder)});
  } else if (!report.leftOut.empty() && !report.AnyFailed()) {
    messages.push_back({ExportMessageKind::kInformation, LeftOutMessage(report.leftOut, !report.files.empty())});
  }
  return messages;
}

std::string FailedFileText(ExportFormat format, const ExportedFile& file) {
  if (format != ExportFormat::kPng) return file.path;
  assert(file.sizes.edges().size() == 1);
  return "(" + SizeListText(file.sizes) + ") : " + file.path;
}

std::vector<std::string> WrittenFiles(const ExportReport& report) {
  std::vector<std::string> paths;
  for (const ExportedFile& file : report.files)
    if (file.outcome == FileOutcome::kWritten) paths.push_back(file.path);
  return paths;
}

}  // namespace twk
