#include "export/IconSetTexts.h"

#include "export/GroundColour.h"
#include "export/IconSets.h"
#include "export/JsonText.h"

namespace twk {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// The length of the UTF-8 character at `at`, 0 when the bytes there are
// not one.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || at + length > text.size() || (length == 2 && lead < 0xC2)) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  return length;
}

// `text` as an XML attribute value: markup characters escaped, control
// characters (which XML 1.0 cannot hold) and bytes that are not UTF-8
// written as U+FFFD.
std::string XmlAttribute(const std::string& text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8Length(text, at);
    const char c = text[at];
    if (length == 0 || (length == 1 && static_cast<unsigned char>(c) < 0x20)) out += "\xEF\xBF\xBD";
    else if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out.append(text, at, length);
    at += length ? length : 1;
  }
  return out;
}

// The first `count` characters of `text` (whole UTF-8 characters; a byte
// that is not one counts as one).
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < count && at < text.size(); ++n) at += std::max<std::size_t>(Utf8Length(text, at), 1);
  return text.substr(0, at);
}

std::string IconEntry(const std::string& src, const char* edge, const char* purpose) {
  return JsonObject({{"src", JsonString(src)},
                     {"sizes", JsonString(std::string(edge) + "x" + edge)},
                     {"type", JsonString("image/png")},
                     {"purpose", JsonString(purpose)}},
                    4);
}

}  // namespace

std::string AppIconContentsJson(const std::string& name) {
  const auto image = [](const std::string& file, const char* appearance) {
    std::vector<std::pair<std::string, std::string>> members;
    if (appearance) {
      const std::string look = JsonObject(
          {{"appearance", JsonString("luminosity")}, {"value", JsonString(appearance)}}, 8);
      members.push_back({"appearances", JsonArray({look}, 6)});
    }
    members.push_back({"filename", JsonString(file)});
    members.push_back({"idiom", JsonString("universal")});
    members.push_back({"platform", JsonString("ios")});
    members.push_back({"size", JsonString("1024x1024")});
    return JsonObject(members, 4);
  };
  const std::string info = JsonObject({{"author", JsonString("tarnwick")}, {"version", "1"}}, 2);
  const std::string images = JsonArray({image(AppIconFileName(name), nullptr),
                                        image(AppIconDarkFileName(name), "dark"),
                                        image(AppIconTintedFileName(name), "tinted")},
                                       2);
  return JsonObject({{"images", images}, {"info", info}}, 0) + "\n";
}

std::string WebManifestJson(const std::string& name, std::int32_t ground) {
  std::vector<std::string> icons;
  for (const char* edge : {"192", "512"}) icons.push_back(IconEntry(std::string("icon-") + edge + ".png", edge, "any"));
  for (const char* edge : {"192", "512"})
    icons.push_back(IconEntry(std::string("icon-maskable-") + edge + ".png", edge, "maskable"));
  const std::string colour = JsonString(GroundColourText(ground));
  // Launchers show at most about 12 characters under an icon.
  return JsonObject({{"name", JsonString(name)},
                     {"short_name", JsonString(FirstCharacters(name, 12))},
                     {"start_url", JsonString("/")},
                     {"display", JsonString("standalone")},
                     {"background_color", colour},
                     {"theme_color", colour},
                     {"icons", JsonArray(icons, 2)}},
                    0) +
         "\n";
}

std::string WebHeadHtml() {
  // The ICO is sized 32x32 so that browsers taking the first fitting icon
  // still pick the SVG where they can draw it.
  return "<link rel=\"icon\" href=\"/favicon.ico\" sizes=\"32x32\">\n"
         "<link rel=\"icon\" href=\"/favicon.svg\" type=\"image/svg+xml\">\n"
         "<link rel=\"apple-touch-icon\" href=\"/apple-touch-icon.png\">\n"
         "<link rel=\"manifest\" href=\"/site.webmanifest\">\n";
}

std::string AdaptiveIconXml() {
  return std::string(kXmlHead) +
         "<adaptive-icon xmlns:android=\"http://schemas.android.com/apk/res/android\">\n"
         "    <background android:drawable=\"@color/ic_launcher_background\"/>\n"
         "    <foreground android:drawable=\"@drawable/ic_launcher_foreground\"/>\n"
         "    <monochrome android:drawable=\"@drawable/ic_launcher_monochrome\"/>\n"
         "</adaptive-icon>\n";
}

std::string GroundResourceXml(std::int32_t ground) {
  return std::string(kXmlHead) + "<resources>\n    <color name=\"ic_launcher_background\">" +
         GroundColourText(ground) + "</color>\n</resources>\n";
}

std::string MsixManifestXml(const std::string& name) {
  const std::string shown = XmlAttribute(name);
  return std::string(kXmlHead) +
         "<!-- The parts of Package.appxmanifest that name these logos; copy the PNG files\n"
         "     into the package's Assets folder. The unplated target sizes keep the\n"
         "     taskbar from laying a coloured plate behind the icon. -->\n"
         "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\"\n"
         "         xmlns:uap=\"http://schemas.microsoft.com/appx/manifest/uap/windows10\">\n"
         "  <Properties>\n"
         "    <Logo>Assets\\StoreLogo.png</Logo>\n"
         "  </Properties>\n"
         "  <Applications>\n"
         "    <Application>\n"
         "      <uap:VisualElements\n"
         "          DisplayName=\"" + shown + "\"\n"
         "          Description=\"" + shown + "\"\n"
         "          BackgroundColor=\"transparent\"\n"
         "          Square150x150Logo=\"Assets\\Square150x150Logo.png\"\n"
         "          Square44x44Logo=\"Assets\\Square44x44Logo.png\"/>\n"
         "    </Application>\n"
         "  </Applications>\n"
         "</Package>\n";
}

}  // namespace twk
