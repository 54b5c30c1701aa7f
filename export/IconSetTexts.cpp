#include "export/IconSetTexts.h"

#include "export/JsonText.h"

namespace twk {

std::string AppIconContentsJson(const std::string& pngName) {
  const std::string image = JsonObject({{"filename", JsonString(pngName)},
                                        {"idiom", JsonString("universal")},
                                        {"platform", JsonString("ios")},
                                        {"size", JsonString("1024x1024")}},
                                       4);
  const std::string info = JsonObject({{"author", JsonString("tarnwick")}, {"version", "1"}}, 2);
  return JsonObject({{"images", JsonArray({image}, 2)}, {"info", info}}, 0) + "\n";
}

std::string WebManifestJson(const std::string& name) {
  std::vector<std::string> icons;
  for (const char* edge : {"192", "512"}) {
    icons.push_back(JsonObject({{"src", JsonString(std::string("icon-") + edge + ".png")},
                                {"sizes", JsonString(std::string(edge) + "x" + edge)},
                                {"type", JsonString("image/png")}},
                               4));
  }
  return JsonObject({{"name", JsonString(name)}, {"icons", JsonArray(icons, 2)}}, 0) + "\n";
}

}  // namespace twk
