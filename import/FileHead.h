#pragma once
// The first bytes of a file, to tell what it holds by its content.

#include <cstddef>
#include <optional>
#include <string>

namespace twk {

// How much of a file's start is looked at to tell an SVG: room for an XML
// declaration, a document type declaration and a licence comment.
inline constexpr std::size_t kFileHeadBytes = 64 * 1024;

// The first kFileHeadBytes of the regular file at `path`; nothing when it
// cannot be opened or read or is not a regular file. The open never waits
// on a FIFO.
std::optional<std::string> ReadFileHead(const std::string& path);

// Whether the file at `path` can be read and opens an SVG document.
bool FileLooksLikeSvg(const std::string& path);

}  // namespace twk
