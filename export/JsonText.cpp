#include "export/JsonText.h"

#include <cstdio>

namespace twk {

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8Length(const std::string& s, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = byte(at);
  std::size_t n = 0;
  unsigned min = 0, code = 0;
  if (c >= 0xC2 && c <= 0xDF) n = 2, min = 0x80, code = c & 0x1Fu;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, min = 0x800, code = c & 0x0Fu;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, min = 0x10000, code = c & 0x07u;
  else return 0;
  if (at + n > s.size()) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

std::string Indent(int indent) { return std::string(static_cast<std::size_t>(indent), ' '); }

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t n = Utf8Length(text, i);
      if (n == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(text, i, n);
        i += n;
      }
      continue;
    }
    if (c == '"') out += "\\\"";
    else if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out.push_back(static_cast<char>(c));
    }
    ++i;
  }
  return out + "\"";
}

std::string ValidUtf8(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = static_cast<unsigned char>(text[i]) < 0x80 ? 1 : Utf8Length(text, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    } else {
      out.append(text, i, n);
      i += n;
    }
  }
  return out;
}

std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members, int indent) {
  std::string out = "{\n";
  for (std::size_t i = 0; i < members.size(); ++i) {
    out += Indent(indent + 2) + JsonString(members[i].first) + " : " + members[i].second;
    out += i + 1 < members.size() ? ",\n" : "\n";
  }
  return out + Indent(indent) + "}";
}

std::string JsonArray(const std::vector<std::string>& values, int indent) {
  std::string out = "[\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += Indent(indent + 2) + values[i];
    out += i + 1 < values.size() ? ",\n" : "\n";
  }
  return out + Indent(indent) + "]";
}

}  // namespace twk
