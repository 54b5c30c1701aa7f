#include "cli/InputExport.h"

#include <sys/stat.h>

#include "cli/LoadInput.h"
#include "export/ExportOperation.h"
#include "export/IconSetExport.h"

namespace twk::cli {
namespace {

// The first of the request's files that is already one of `inputs`; empty
// when none is.
std::string OutputOverInput(const ExportRequest& request, const FileIds& inputs) {
  for (const std::string& output : ExportOutputPaths(request)) {
    struct stat info {};
    if (::stat(output.c_str(), &info) == 0 && inputs.count({info.st_dev, info.st_ino})) return output;
  }
  return {};
}

// "can't write A, B" and "larger than 64 MiB: C" for the files of `report`
// that were not written.
std::vector<std::string> FailureParts(const ExportReport& report) {
  std::string failed, tooLarge;
  for (const ExportedFile& file : report.files) {
    std::string& list = file.outcome == FileOutcome::kTooLarge ? tooLarge : failed;
    if (file.outcome != FileOutcome::kWritten) list += (list.empty() ? "" : ", ") + file.path;
  }
  std::vector<std::string> parts;
  if (!failed.empty()) parts.push_back("can't write " + failed);
  if (!tooLarge.empty()) parts.push_back("would be larger than 64 MiB: " + tooLarge);
  return parts;
}

}  // namespace

FileIds IdsOf(const std::vector<std::string>& paths) {
  FileIds ids;
  for (const std::string& path : paths) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) ids.insert({info.st_dev, info.st_ino});
  }
  return ids;
}

InputOutcome ExportInput(const Arguments& args, const std::string& input, const std::string& base,
                         const FileIds& inputs) {
  SvgReadOptions options;
  options.currentColor = args.currentColor;
  const LoadedInput loaded = LoadInputDocument(input, options);
  if (!loaded.ok) return {true, true, "tarnwick-cli: " + loaded.error};
  std::vector<std::string> parts;
  if (!loaded.leftOut.empty()) parts.push_back("left out " + loaded.leftOut);
  ExportRequest request{loaded.doc, ExportSizesOf(args), args.format, base, nullptr,
                        args.fit ? EdgeFit::kToPixels : EdgeFit::kAsDrawn};
  if (args.format == ExportFormat::kIconSets) {
    request.sets = args.sets;
    request.setName = IconSetDrawingName(input, base);
  }
  bool failed = false;
  const std::string over = OutputOverInput(request, inputs);
  if (!over.empty()) {
    parts.push_back("not exported, its output would be an input file: " + over);
    failed = true;
  } else {
    const std::vector<std::string> failures = FailureParts(RunExport(request));
    parts.insert(parts.end(), failures.begin(), failures.end());
    failed = !failures.empty();
  }
  std::string line;
  for (const std::string& part : parts) line += (line.empty() ? "tarnwick-cli: " + input + ": " : "; ") + part;
  return {true, failed, line};
}

}  // namespace twk::cli
