#include "cli/CliCommands.h"

#include <sys/stat.h>

#include "export/ExportSizes.h"
#include "export/PngExport.h"
#include "persist/DocumentFile.h"
#include "persist/PathRules.h"

namespace twk::cli {
namespace {

// Loads the document as the editor's Load does, but also from read-only
// files, since the tool only reads.
bool LoadInput(const std::string& path, TWKFILE& doc, std::ostream& err) {
  if (LoadDocumentFile(path, doc, LoadAccess::kShared) == ResultCode::kOk) return true;
  err << "tarnwick-cli: can't read file: " << path << "\n";
  return false;
}

// The base the PNG files are named after: the output path by the extension
// rule, or, for an existing folder, the input's base name inside it.
std::string ExportBaseFor(const Arguments& args) {
  if (args.outputPath.empty()) return ExtensionBase(args.input);
  struct stat info {};
  if (::stat(args.outputPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    const std::string inputBase = ExtensionBase(args.input);
    const std::size_t slash = inputBase.find_last_of('/');
    std::string folder = args.outputPath;
    if (folder.back() != '/') folder.push_back('/');
    return folder + (slash == std::string::npos ? inputBase : inputBase.substr(slash + 1));
  }
  return ExtensionBase(args.outputPath);
}

}  // namespace

int RunExport(const Arguments& args, std::ostream& out, std::ostream& err) {
  (void)out;
  TWKFILE doc;
  if (!LoadInput(args.input, doc, err)) return 1;
  const std::string base = ExportBaseFor(args);
  const std::vector<ExportJob> failed = ExportPngFiles(doc, ExportJobsForMask(base, args.sizeMask));
  for (const ExportJob& job : failed) err << "(" << SizeText(job.scale) << ") : " << job.path << "\n";
  return failed.empty() ? 0 : 1;
}

int RunDump(const Arguments& args, std::ostream& out, std::ostream& err) {
  TWKFILE doc;
  if (!LoadInput(args.input, doc, err)) return 1;
  out << DocumentToXml(doc) << "\n";
  out.flush();
  if (!out) {
    err << "tarnwick-cli: can't write the output\n";
    return 1;
  }
  return 0;
}

}  // namespace twk::cli
