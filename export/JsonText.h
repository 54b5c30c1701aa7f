#pragma once
// JSON text for the small files the icon sets carry (an iOS Contents.json, a
// web app manifest): strings escaped as JSON requires, so a name with quotes,
// backslashes or control characters still gives a valid file.

#include <string>
#include <utility>
#include <vector>

namespace twk {

// `text` as a JSON string with its quotes. ", \ and control characters are
// escaped; bytes that are not valid UTF-8 become U+FFFD, as a JSON text must
// be UTF-8.
std::string JsonString(const std::string& text);

// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD,
// as JsonString writes it: a name made so is the same in a file's name and
// in a JSON text that names the file.
std::string ValidUtf8(const std::string& text);

// One object of string members, written on one line each at `indent`:
// { "key" : "value", ... }. Members are (key, already written JSON value).
std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members, int indent);

// A list of already written JSON values.
std::string JsonArray(const std::vector<std::string>& values, int indent);

}  // namespace twk
