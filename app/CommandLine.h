#pragma once
// The editor's command line: `tarnwick [FILE.twk | FILE.svg]`, `--help`, `--version`.
// Read before the application object exists, so that help, version and
// usage errors need no display.

#include <string>
#include <vector>

namespace twk {

enum class StartAction { kRun, kHelp, kVersion, kUsageError };

struct EditorCommandLine {
  StartAction action = StartAction::kRun;
  std::string file;  // kRun: the document or SVG to open once started; may be empty
  bool operator==(const EditorCommandLine&) const = default;
};

// `args` without the program name. "--" ends the options, so a document
// whose name starts with "-" can be given after it.
EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& args);

// The --help text, the --version line and the one usage line for errors,
// each ending in a line feed.
std::string EditorHelpText();
std::string EditorVersionText();
std::string EditorUsageLine();

}  // namespace twk
