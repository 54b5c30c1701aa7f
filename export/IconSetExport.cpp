#include "export/IconSetExport.h"

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <new>
#include <string_view>

#include "export/IcnsWriter.h"
#include "export/IconExport.h"
#include "export/IcoWriter.h"
#include "export/IconSetTexts.h"
#include "export/OneColourDrawing.h"
#include "export/PlacedPicture.h"
#include "export/JsonText.h"
#include "export/SizeWorkers.h"
#include "export/SvgDocument.h"
#include "export/SymbolicSvg.h"
#include "export/VectorDrawable.h"
#include "persist/FileAccess.h"
#include "persist/PathRules.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

using PngBySize = std::map<int, std::vector<std::uint8_t>>;

// Android's themed icons take only the monochrome layer's coverage.
constexpr std::int32_t kMonochromeColour = PackRGBA(0xFF, 0xFF, 0xFF, 255);

// A PNG that is the PNG export of its size, as against a placed picture.
bool IsPlainPng(const SetFile& file) {
  return file.kind == SetFileKind::kPng && file.span == file.sizes.edges().front() && !file.opaque &&
         file.look == SetLook::kPlain;
}

struct SetWriting {
  const TWKFILE& doc;
  const std::string& name;
  const PngBySize& pngs;
  EdgeFit fit;
  std::int32_t ground;
};

// The sets' folder without trailing "/" ("/" itself stays).
std::string SetsRoot(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// `path` as a folder: made when missing (its parent has to exist already).
bool MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  return errno == EEXIST && IsFolder(path);
}

// The folders of `relative` (a path under `root`) made one by one.
bool MakeFoldersOf(const std::string& root, const std::string& relative) {
  for (std::size_t slash = relative.find('/'); slash != std::string::npos; slash = relative.find('/', slash + 1)) {
    if (!MakeFolder(root + "/" + relative.substr(0, slash))) return false;
  }
  return true;
}

// Every size any PNG, ICO or ICNS file of the plan holds, rendered and
// encoded once. A size that cannot be made is left out of the map.
PngBySize RenderSizes(const TWKFILE& doc, const std::vector<SetFile>& plan, const ExportProgress* progress,
                      EdgeFit fit) {
  SizeSet all;
  for (const SetFile& file : plan) {
    if (IsPlainPng(file) || file.kind == SetFileKind::kIco || file.kind == SetFileKind::kIcns)
      for (int edge : file.sizes.edges()) all.Add(edge);
  }
  PngBySize bySize;
  for (IconImage& image : RenderSizeImages(doc, all, fit, progress)) {
    if (!image.png.empty()) bySize[image.edge] = std::move(image.png);
  }
  return bySize;
}

// The images of an icon file, smallest first; empty when one is missing.
std::vector<IconImage> IconImages(const SizeSet& sizes, const PngBySize& pngs) {
  std::vector<IconImage> images;
  for (int edge : sizes.edges()) {
    const auto found = pngs.find(edge);
    if (found == pngs.end()) return {};
    images.push_back({edge, found->second});
  }
  return images;
}

SetFileOutcome Replace(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, bytes, {}) == ResultCode::kOk ? SetFileOutcome::kWritten : SetFileOutcome::kFailed;
}

SetFileOutcome Replace(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  return Replace(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

SetFileOutcome WriteDrawable(const std::string& path, bool written, const std::string& xml) {
  return written ? Replace(path, xml) : SetFileOutcome::kTooLarge;
}

SetFileOutcome WriteSvg(const TWKFILE& doc, const std::string& path, int pixels) {
  switch (WriteSvgFile(doc, path, pixels)) {
    case SvgWrite::kWritten: return SetFileOutcome::kWritten;
    case SvgWrite::kTooLarge: return SetFileOutcome::kTooLarge;
    case SvgWrite::kFailed: break;
  }
  return SetFileOutcome::kFailed;
}

SetFileOutcome WriteOne(const SetWriting& w, const SetFile& file, const std::string& path) {
  const TWKFILE& doc = w.doc;
  const int edge = file.sizes.empty() ? 0 : file.sizes.edges().front();
  std::string xml;
  switch (file.kind) {
    case SetFileKind::kPng: {
      if (!IsPlainPng(file)) {
        const std::vector<std::uint8_t> png =
            PlacedPng(doc, {edge, file.span, file.opaque, w.ground, file.look}, w.fit);
        return png.empty() ? SetFileOutcome::kFailed : Replace(path, png);
      }
      const auto found = w.pngs.find(edge);
      return found == w.pngs.end() ? SetFileOutcome::kFailed : Replace(path, found->second);
    }
    case SetFileKind::kIco:
    case SetFileKind::kIcns: {
      const std::vector<IconImage> images = IconImages(file.sizes, w.pngs);
      if (images.empty()) return SetFileOutcome::kFailed;
      return Replace(path, file.kind == SetFileKind::kIco ? BuildIco(images) : BuildIcns(images));
    }
    case SetFileKind::kSvg: return WriteSvg(doc, path, edge);
    case SetFileKind::kSymbolicSvg: {
      const std::string svg = DocumentToSymbolicSvg(doc, edge);
      return svg.empty() ? SetFileOutcome::kTooLarge : Replace(path, svg);
    }
    case SetFileKind::kVectorDrawable:
      return WriteDrawable(path, DocumentToVectorDrawableWithin(doc, kVectorDrawablePixels, kSvgCeiling, xml), xml);
    case SetFileKind::kAdaptiveLayer:
      return WriteDrawable(path, DocumentToAdaptiveLayerWithin(doc, kSvgCeiling, xml), xml);
    case SetFileKind::kMonochromeLayer:
      return WriteDrawable(
          path, DocumentToAdaptiveLayerWithin(OneColourDrawing(doc, kMonochromeColour), kSvgCeiling, xml), xml);
    case SetFileKind::kAdaptiveIcon: return Replace(path, AdaptiveIconXml());
    case SetFileKind::kGroundResource: return Replace(path, GroundResourceXml(w.ground));
    case SetFileKind::kAppIconContents: return Replace(path, AppIconContentsJson(w.name));
    case SetFileKind::kWebManifest: return Replace(path, WebManifestJson(w.name, w.ground));
    case SetFileKind::kWebHead: return Replace(path, WebHeadHtml());
    case SetFileKind::kMsixManifest: return Replace(path, MsixManifestXml(w.name));
  }
  return SetFileOutcome::kFailed;
}

}  // namespace

std::vector<SetFileResult> WriteIconSets(const TWKFILE& doc, IconSetMask sets, const std::string& folder,
                                         const std::string& name, ExportProgress* progress, EdgeFit fit,
                                         std::int32_t ground) {
  const std::vector<SetFile> plan = PlanIconSets(sets, name);
  if (progress) progress->Begin(plan.size());
  std::vector<SetFileResult> results;
  if (progress && progress->StopRequested()) {
    // Stopped before it began: not even a folder is made.
    for (const SetFile& file : plan) results.push_back({file, IconSetFilePath(folder, file), SetFileOutcome::kNotStarted});
    return results;
  }
  const std::string root = SetsRoot(folder);
  if (!MakeFolder(root)) {
    // Nothing is rendered for a folder that cannot be made.
    const int rootError = errno;
    for (const SetFile& file : plan)
      results.push_back({file, IconSetFilePath(folder, file), SetFileOutcome::kNoFolder, rootError});
    return results;
  }
  const PngBySize pngs = RenderSizes(doc, plan, progress, fit);
  const SetWriting writing{doc, name, pngs, fit, ground};
  for (const SetFile& file : plan) {
    const bool folders = MakeFoldersOf(root, file.path);
    results.push_back({file, IconSetFilePath(folder, file), folders ? SetFileOutcome::kWritten : SetFileOutcome::kFailed,
                       folders ? 0 : errno});
  }
  // Each file is flushed to disk before it takes its name, so most of the
  // time goes waiting on the disk: two files are written at once.
  JobPool::Shared().Run(results.size(), [&](std::size_t, std::size_t i) {
    SetFileResult& result = results[i];
    if (progress && progress->StopRequested()) {
      result.outcome = SetFileOutcome::kNotStarted;
      return;
    }
    if (result.outcome == SetFileOutcome::kWritten) {
      errno = 0;
      try {
        result.outcome = WriteOne(writing, result.file, result.path);
        if (result.outcome == SetFileOutcome::kFailed) result.error = errno;
      } catch (const std::bad_alloc&) {
        result.outcome = SetFileOutcome::kFailed;  // out of memory for this file's text
        result.error = ENOMEM;
      }
    }
    if (progress) progress->FileDone();
  });
  return results;
}

std::string IconSetFilePath(const std::string& folder, const SetFile& file) {
  return SetsRoot(folder) + "/" + file.path;
}

std::string IconSetDrawingName(const std::string& documentPath, const std::string& folder) {
  const auto fileName = [](std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  };
  std::string name = documentPath.empty() ? std::string() : fileName(ExtensionBase(documentPath));
  if (name.empty()) name = fileName(folder);
  if (name.empty() || name == "/" || name == "." || name == "..") name = "icon";
  // The files are named after it and the JSON texts name those files: a
  // name that is not UTF-8 could not be written the same in both.
  return ValidUtf8(name);
}

}  // namespace twk
