#include "cli/CliCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/ExportSizes.h"
#include "export/IconExport.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"
#include "persist/PathRules.h"

namespace twk::cli {
namespace {

// Whether `path` is a regular file this process can open for reading. Only
// asked after a failed load, to tell a file that cannot be read from one
// whose content is not a document.
bool IsReadableFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// Loads the document as the editor's Load does, but also from read-only
// files, since the tool only reads.
bool LoadInput(const std::string& path, TWKFILE& doc, std::ostream& err) {
  if (LoadDocumentFile(path, doc, LoadAccess::kShared) == ResultCode::kOk) return true;
  err << "tarnwick-cli: " << (IsReadableFile(path) ? "not a Tarnwick document: " : "can't read file: ") << path
      << "\n";
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

namespace {

int ExportPngs(const TWKFILE& doc, const std::string& base, int mask, std::ostream& err) {
  const std::vector<ExportJob> failed = ExportPngFiles(doc, ExportJobsForMask(base, mask));
  for (const ExportJob& job : failed) err << "(" << SizeText(job.scale) << ") : " << job.path << "\n";
  return failed.empty() ? 0 : 1;
}

// The edge of the one size in `mask`, 16 without --sizes.
int SvgPixels(const Arguments& args) {
  for (int i = 0; args.sizesGiven && i < kExportSizeCount; ++i) {
    if (args.sizeMask & (1 << i)) return ExportEdgeAt(i);
  }
  return 16;
}

int ExportIcon(const TWKFILE& doc, const Arguments& args, const std::string& path, std::ostream& err) {
  const FormatSizes sizes = SplitSizes(args.format, args.sizesGiven ? args.sizeMask : 0xFFF);
  const char* holds = args.format == ExportFormat::kIco ? "16 to 256" : "16, 32, 64, 128, 256, 512 and 1024";
  if (sizes.held == 0) {
    err << "tarnwick-cli: a ." << FormatName(args.format) << " file holds only the sizes " << holds << "\n";
    return 1;
  }
  if (args.sizesGiven && sizes.leftOut != 0)
    err << "tarnwick-cli: left out of " << path << " (it holds " << holds << "): " << SizeListText(sizes.leftOut)
        << "\n";
  if (ExportIconFile(doc, args.format, path, sizes.held)) return 0;
  err << "tarnwick-cli: can't write file: " << path << "\n";
  return 1;
}

}  // namespace

int RunExport(const Arguments& args, std::ostream& out, std::ostream& err) {
  (void)out;
  TWKFILE doc;
  if (!LoadInput(args.input, doc, err)) return 1;
  const std::string base = ExportBaseFor(args);
  const std::string path = base + "." + FormatName(args.format);
  switch (args.format) {
    case ExportFormat::kPng: return ExportPngs(doc, base, args.sizeMask, err);
    case ExportFormat::kSvg:
      switch (WriteSvgFile(doc, path, SvgPixels(args))) {
        case SvgWrite::kWritten: return 0;
        case SvgWrite::kTooLarge: err << "tarnwick-cli: the SVG would be larger than 64 MiB: " << path << "\n"; break;
        case SvgWrite::kFailed: err << "tarnwick-cli: can't write file: " << path << "\n"; break;
      }
      return 1;
    default: return ExportIcon(doc, args, path, err);
  }
}

int RunDump(const Arguments& args, std::ostream& out, std::ostream& err) {
  TWKFILE doc;
  if (!LoadInput(args.input, doc, err)) return 1;
  // Written as it is made, so a large document costs no second copy.
  (void)WriteDocumentXml(doc, [&out](std::string_view piece) { return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size()))); });
  out << "\n";
  out.flush();
  if (!out) {
    err << "tarnwick-cli: can't write the output\n";
    return 1;
  }
  return 0;
}

}  // namespace twk::cli
