#include "cli/CliCommands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "cli/LoadInput.h"
#include "cli/ManyExport.h"
#include "cli/StopSignals.h"
#include "export/ExportOperation.h"
#include "export/IconSetExport.h"
#include "fit/Crispness.h"
#include "persist/DocumentFile.h"
#include "persist/PathRules.h"

namespace twk::cli {
namespace {

// Loads the drawing (a document or an SVG image) as the editor's Load does,
// but also from read-only files, since the tool only reads. What an SVG left
// out is told on one line; the rest still comes in.
bool LoadInput(const Arguments& args, TWKFILE& doc, std::ostream& err) {
  SvgReadOptions options;
  options.currentColor = args.currentColor;
  LoadedInput loaded = LoadInputDocument(args.input, options);
  if (!loaded.ok) {
    err << "tarnwick-cli: " << loaded.error << "\n";
    return false;
  }
  if (!loaded.leftOut.empty()) err << "tarnwick-cli: left out of " << args.input << ": " << loaded.leftOut << "\n";
  doc = std::move(loaded.doc);
  return true;
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

// The output of `request` that is the file `input` itself (the same device
// and inode, whatever the names or links say); empty when none is.
std::string OutputOverInput(const std::string& input, const ExportRequest& request) {
  struct stat in {};
  if (::stat(input.c_str(), &in) != 0) return {};
  for (const std::string& output : ExportOutputPaths(request)) {
    struct stat out {};
    if (::stat(output.c_str(), &out) == 0 && out.st_dev == in.st_dev && out.st_ino == in.st_ino) return output;
  }
  return {};
}

}  // namespace

namespace {

// Each failed file on a line of its own: a PNG file with its size, the one
// file of another format as a sentence; a write that failed says why when
// the system told. Sets whose folder cannot be made take one line.
void ReportFailures(const ExportReport& report, std::ostream& err) {
  if (report.folderNotMade) {
    err << "tarnwick-cli: can't make the folder: " << report.folder << "\n";
    return;
  }
  for (const ExportedFile& file : report.files) {
    if (file.outcome == FileOutcome::kWritten) continue;
    const std::string why = file.error != 0 ? std::string(": ") + std::strerror(file.error) : std::string();
    if (file.outcome == FileOutcome::kTooLarge)
      err << "tarnwick-cli: the " << (report.format == ExportFormat::kIconSets ? "file" : "SVG")
          << " would be larger than 64 MiB: " << file.path << "\n";
    else if (report.format == ExportFormat::kPng)
      err << FailedFileText(report.format, file) << why << "\n";
    else
      err << "tarnwick-cli: can't write file: " << file.path << why << "\n";
  }
}

// A signal stopped the export: one line naming the files written; the exit
// status a shell gives a process ended by that signal.
int ReportStop(const ExportReport& report, int signal, std::ostream& err) {
  const std::vector<std::string> written = WrittenFiles(report);
  err << "tarnwick-cli: stopped by " << SignalName(signal) << "; ";
  if (written.empty()) err << "no file written";
  for (std::size_t i = 0; i < written.size(); ++i) err << (i == 0 ? "written: " : ", ") << written[i];
  err << "\n";
  return 128 + signal;
}

// Runs `request` into `report` unless one of its files is `input` itself;
// SIGINT and SIGTERM stop it between files. The exit status when that ends
// the command (refused or stopped), none when the report is to be told.
std::optional<int> RunGuarded(const std::string& input, const ExportRequest& request, ExportProgress& progress,
                              ExportReport& report, std::ostream& err) {
  const std::string over = OutputOverInput(input, request);
  if (!over.empty()) {
    err << "tarnwick-cli: the output is the input file: " << over << "\n";
    return 1;
  }
  const StopSignals signals(progress);
  report = RunExport(request);
  if (const int signal = signals.received()) return ReportStop(report, signal, err);
  return std::nullopt;
}

// The icon sets into the folder --out names; SIGINT and SIGTERM stop them
// as they stop any other export.
int RunSetExport(const Arguments& args, const TWKFILE& doc, std::ostream& err) {
  ExportProgress progress;
  ExportRequest request{doc, {}, ExportFormat::kIconSets, args.outputPath, &progress,
                        args.fit ? EdgeFit::kToPixels : EdgeFit::kAsDrawn};
  request.sets = args.sets;
  request.setName = IconSetDrawingName(args.input, args.outputPath);
  request.ground = args.ground;
  ExportReport report;
  if (const std::optional<int> ended = RunGuarded(args.input, request, progress, report, err)) return *ended;
  ReportFailures(report, err);
  return report.AnyFailed() ? 1 : 0;
}

}  // namespace

int RunExport(const Arguments& args, std::ostream& out, std::ostream& err) {
  (void)out;
  if (args.inputs.size() > 1) return RunManyExport(args, err, ::isatty(STDERR_FILENO) == 1);
  TWKFILE doc;
  if (!LoadInput(args, doc, err)) return 1;
  if (args.format == ExportFormat::kIconSets) return RunSetExport(args, doc, err);
  ExportProgress progress;
  const ExportRequest request{doc, ExportSizesOf(args), args.format,
                              ExportBaseFor(args), &progress, args.fit ? EdgeFit::kToPixels : EdgeFit::kAsDrawn};
  const std::string name = FormatName(args.format);
  if (SplitSizes(args.format, request.sizes).held.empty()) {
    err << "tarnwick-cli: a ." << name << " file holds only the sizes " << HeldEdgesText(args.format) << "\n";
    return 1;
  }
  ExportReport report;
  if (const std::optional<int> ended = RunGuarded(args.input, request, progress, report, err)) return *ended;
  if (args.sizesGiven && !report.leftOut.empty())
    err << "tarnwick-cli: left out of " << request.base << "." << name << " (it holds " << HeldEdgesText(args.format)
        << "): " << SizeListText(report.leftOut) << "\n";
  ReportFailures(report, err);
  return report.AnyFailed() ? 1 : 0;
}

int RunDump(const Arguments& args, std::ostream& out, std::ostream& err) {
  TWKFILE doc;
  if (!LoadInput(args, doc, err)) return 1;
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

int RunCrisp(const Arguments& args, std::ostream& out, std::ostream& err) {
  TWKFILE doc;
  if (!LoadInput(args, doc, err)) return 1;
  for (const int edge : args.sizes.edges()) {
    const std::optional<Crispness> crisp = CrispnessAt(doc, edge, args.fit);
    if (!crisp) {
      err << "tarnwick-cli: not enough memory for the " << edge << "x" << edge << " picture\n";
      return 1;
    }
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.2f", crisp->M());
    out << edge << "x" << edge << "\t" << figure << "\n";
  }
  out.flush();
  return 0;
}

int RunConvert(const Arguments& args, std::ostream& err) {
  TWKFILE doc;
  if (!LoadInput(args, doc, err)) return 1;
  struct stat in {}, out {};
  if (::stat(args.input.c_str(), &in) == 0 && ::stat(args.outputPath.c_str(), &out) == 0 && in.st_dev == out.st_dev &&
      in.st_ino == out.st_ino) {
    err << "tarnwick-cli: the output is the input file: " << args.outputPath << "\n";
    return 1;
  }
  if (SaveDocumentFile(args.outputPath, doc) != ResultCode::kOk) {
    err << "tarnwick-cli: can't write file: " << args.outputPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace twk::cli
