#include "export/ExportOperation.h"

#include "export/ExportPlan.h"
#include "export/ExportSizes.h"
#include "export/FileTypes.h"
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
  const std::vector<ExportJob> failed = ExportPngFiles(request.doc, jobs, request.fit);
  std::size_t nextFailed = 0;  // failures come back in job order
  for (const ExportJob& job : jobs) {
    const bool ok = nextFailed >= failed.size() || failed[nextFailed].path != job.path;
    if (!ok) ++nextFailed;
    SizeSet size;
    size.Add(ExportEdge(job.scale));
    report.files.push_back({job.path, size, OutcomeOf(ok)});
  }
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
  const FormatSizes split = SplitSizes(request.format, request.sizes);
  report.leftOut = split.leftOut;
  if (split.held.empty()) return report;
  const std::string path = request.base + "." + FormatName(request.format);
  switch (request.format) {
    case ExportFormat::kPng: ExportPngs(request, report); break;
    case ExportFormat::kSvg: {
      SizeSet one;
      one.Add(split.held.edges().front());
      report.files.push_back({path, one, OutcomeOf(WriteSvgFile(request.doc, path, one.edges().front()))});
      break;
    }
    default:
      report.files.push_back({path, split.held, OutcomeOf(ExportIconFile(request.doc, request.format, path, split.held, request.fit))});
  }
  return report;
}

std::vector<ExportMessage> ExportMessages(const ExportReport& report) {
  std::vector<ExportMessage> messages;
  std::string failed;
  for (const ExportedFile& file : report.files) {
    if (file.outcome == FileOutcome::kTooLarge)
      messages.push_back({ExportMessageKind::kError, "The SVG would be larger than 64 MiB: " + file.path});
    if (file.outcome != FileOutcome::kFailed) continue;
    // A PNG file holds one size, and the line says which.
    if (report.format == ExportFormat::kPng) failed += "(" + SizeListText(file.sizes) + ") : ";
    failed += file.path + "\r\n";
  }
  if (!failed.empty()) {
    messages.push_back({ExportMessageKind::kError, ExportFailureMessage(failed)});
  } else if (!report.leftOut.empty() && !report.AnyFailed()) {
    messages.push_back({ExportMessageKind::kInformation, LeftOutMessage(report.leftOut, !report.files.empty())});
  }
  return messages;
}

}  // namespace twk
