#pragma once
// The one export operation the editor and the command-line tool share: the
// document, the sizes, the format and where to write go in; a typed result
// per file comes out, and the messages are made from that result.

#include <string>
#include <vector>

#include "document/Document.h"
#include "export/ExportFormat.h"
#include "export/ExportProgress.h"
#include "export/GroundColour.h"
#include "export/IconSets.h"
#include "export/SizeSet.h"
#include "export/SizeWorkers.h"

namespace twk {

struct ExportRequest {
  const TWKFILE& doc;
  SizeSet sizes;
  ExportFormat format = ExportFormat::kPng;
  // The path the files are named after, without extension: PNG writes
  // base + ".NxN.png" per size, the other formats base + "." + format name.
  // For kIconSets, the folder the sets are written into.
  std::string base;
  // Where the export counts its files and looks for a stop; none: it runs
  // to the end unobserved.
  ExportProgress* progress = nullptr;
  // Raster pictures (PNG, ICO and ICNS entries, in sets too) fitted to their
  // pixels, each for its own size; SVG is never fitted.
  EdgeFit fit = EdgeFit::kAsDrawn;
  // kIconSets: the sets, planned into their files (`sizes` is not read),
  // and the drawing's name in them.
  IconSetMask sets = 0;
  std::string setName = {};
  // kIconSets: the opaque colour under the pictures that may have no
  // transparent pixels, named as the background in the sets' text files.
  std::int32_t ground = kDefaultGround;
};

// kTooLarge: an SVG whose text would pass its ceiling; nothing is written.
enum class FileOutcome { kWritten, kFailed, kTooLarge };

struct ExportedFile {
  std::string path;
  SizeSet sizes;  // the sizes in the file: one for PNG and SVG
  FileOutcome outcome = FileOutcome::kWritten;
  int error = 0;  // kFailed: the errno of the failure, 0 when none tells
  bool operator==(const ExportedFile&) const = default;
};

struct ExportReport {
  ExportFormat format = ExportFormat::kPng;
  // Every file tried, in the order written (PNG largest first). Empty when
  // the format holds none of the sizes, or no size was asked for.
  std::vector<ExportedFile> files;
  // Sizes asked for that a file of the format cannot hold; never tried.
  SizeSet leftOut;
  // kIconSets: the folder the sets were written into.
  std::string folder = {};
  // A stop was asked for before every file was tried; files lists only
  // those that were.
  bool stopped = false;
  // kIconSets: the folder cannot be made, so no file was tried (each is
  // listed as failed).
  bool folderNotMade = false;

  bool AnyFailed() const;
  bool operator==(const ExportReport&) const = default;
};

// Writes the files of `request`, replacing existing ones. SVG writes one
// document as wide as the smallest size asked for. Several PNG files may be
// written at once; the report still lists them in order.
ExportReport RunExport(const ExportRequest& request);

enum class ExportMessageKind { kError, kInformation };
struct ExportMessage {
  ExportMessageKind kind;
  std::string text;
  bool operator==(const ExportMessage&) const = default;
};

// What the editor tells after an export, in order: the files that failed,
// then the sizes left out; after icon sets written without a failure, how
// many files went into which folder. After a failed write the left-out sizes are not
// named: there is no file they were left out of, and saying none fit would
// be false. A stopped export says instead which files were written. Sets
// whose folder cannot be made say only that.
std::vector<ExportMessage> ExportMessages(const ExportReport& report);

// How a failed file is named where the failures are listed: a PNG file,
// which holds one size, as "(16x16) : " + path; a file of another format by
// its path alone.
std::string FailedFileText(ExportFormat format, const ExportedFile& file);

// The paths of the files `request` would write, in the order it writes
// them (sizes a format cannot hold left out).
std::vector<std::string> ExportOutputPaths(const ExportRequest& request);

// The paths of the files written, in the report's order.
std::vector<std::string> WrittenFiles(const ExportReport& report);

}  // namespace twk
