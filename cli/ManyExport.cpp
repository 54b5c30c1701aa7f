#include "cli/ManyExport.h"

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/InputExport.h"
#include "cli/InputReport.h"
#include "cli/StopSignals.h"
#include "export/ExportOperation.h"
#include "persist/PathRules.h"
#include "tasks/JobPool.h"

namespace twk::cli {
namespace {

// `path` as a folder: made when missing (its parent has to exist already).
// Why it cannot be, or empty.
std::string MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return {};
  struct stat info {};
  if (errno != EEXIST) return "can't make the folder " + path + " (its parent must be an existing folder)";
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return "with several drawings --out names a folder: " + path;
  return {};
}

// The file name of `path` without its extension.
std::string DrawingName(const std::string& path) {
  const std::string base = ExtensionBase(path);
  const std::size_t slash = base.find_last_of('/');
  return slash == std::string::npos ? base : base.substr(slash + 1);
}

// What each input's files are named after: its name inside the --out folder,
// or, without one, its own path without the extension.
std::vector<std::string> BasesOf(const Arguments& args) {
  std::string folder = args.outputPath;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder != "/") folder.push_back('/');
  std::vector<std::string> bases;
  for (const std::string& input : args.inputs)
    bases.push_back(args.outputPath.empty() ? ExtensionBase(input) : folder + DrawingName(input));
  return bases;
}

// For each input, the earlier input whose files would carry the same names
// (the same drawing name into one folder, or the same file twice); its own
// index when there is none.
std::vector<std::size_t> FirstOfEachName(const std::vector<std::string>& bases) {
  std::map<std::string, std::size_t> first;
  std::vector<std::size_t> owners;
  for (std::size_t i = 0; i < bases.size(); ++i) owners.push_back(first.emplace(bases[i], i).first->second);
  return owners;
}

// Refuses a format that holds none of the sizes, and names once the sizes
// every file of it leaves out. False when nothing can be exported.
bool CheckSizes(const Arguments& args, std::ostream& err) {
  if (args.format == ExportFormat::kIconSets) return true;
  const FormatSizes split = SplitSizes(args.format, ExportSizesOf(args));
  const std::string name = FormatName(args.format);
  if (split.held.empty()) {
    err << "tarnwick-cli: a ." << name << " file holds only the sizes " << HeldEdgesText(args.format) << "\n";
    return false;
  }
  if (args.sizesGiven && !split.leftOut.empty())
    err << "tarnwick-cli: left out of every ." << name << " file (it holds " << HeldEdgesText(args.format)
        << "): " << SizeListText(split.leftOut) << "\n";
  return true;
}

}  // namespace

int RunManyExport(const Arguments& args, std::ostream& err, bool terminal) {
  if (!CheckSizes(args, err)) return 1;
  if (const std::string why = args.outputPath.empty() ? "" : MakeFolder(args.outputPath); !why.empty()) {
    err << "tarnwick-cli: " << why << "\n";
    return 1;
  }
  const std::vector<std::string> bases = BasesOf(args);
  const std::vector<std::size_t> owners = FirstOfEachName(bases);
  const FileIds inputIds = IdsOf(args.inputs);
  ExportProgress stop;  // only its stop request is used: a signal stops the export between inputs
  InputReport report(args.inputs.size(), err, terminal);
  const StopSignals signals(stop);
  JobPool::Shared().Run(args.inputs.size(), [&](std::size_t, std::size_t i) {
    const std::string& input = args.inputs[i];
    InputOutcome outcome;
    if (stop.StopRequested()) {
      outcome.started = false;
    } else if (owners[i] != i) {
      outcome = {true, true,
                 "tarnwick-cli: " + input + ": not exported, its files would replace those of " + args.inputs[owners[i]]};
    } else {
      try {
        outcome = ExportInput(args, input, bases[i], inputIds);
      } catch (const std::bad_alloc&) {
        outcome = {true, true, "tarnwick-cli: " + input + ": not enough memory"};
      } catch (const std::exception& e) {  // told in its place, so the lines after it still come
        outcome = {true, true, "tarnwick-cli: " + input + ": " + e.what()};
      }
    }
    report.Done(i, std::move(outcome));
  });
  report.Finish();
  if (const int signal = signals.received()) {
    err << "tarnwick-cli: stopped by " << SignalName(signal) << "; " << report.Started() << " of "
        << args.inputs.size() << " drawings done\n";
    return 128 + signal;
  }
  return report.AnyFailed() ? 1 : 0;
}

}  // namespace twk::cli
