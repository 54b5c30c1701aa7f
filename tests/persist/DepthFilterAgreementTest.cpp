// The depth pre-scan only saves work: on every payload the parser reads
// through, the elements it keeps are those the parser sees.
#include <gtest/gtest.h>

#include <random>

#include "DepthFilterAgreement.h"

namespace twk {
namespace {

TEST(DepthFilter, AgreesWithTheParserOnTrickyMarkup) {
  const char* payloads[] = {
      "<a><b><c/></b><!-- ' --><b x='>'/></a>",
      "<a><?pi ' ?><b><c>t</c></b><![CDATA[<b>]]></a>",
      "<a><b y=\"/>\"><c></c></b>z<b/></a>",
      "<!DOCTYPE a [<!-- ' -->]><a><b><c><d/></c></b></a>",
      "<?xml version='1.0'?><!-- x --><a><b/><b><c/></b></a><!-- after -->",
  };
  for (const char* p : payloads)
    for (std::size_t depth = 1; depth <= 3; ++depth) EXPECT_TRUE(test::FilterAgreesWithParser(p, depth)) << p;
}

// Random well-formed and nearly well-formed payloads from the pieces the
// scan has to understand.
TEST(DepthFilter, AgreesWithTheParserOnGeneratedPayloads) {
  std::mt19937 random(7);
  const char* inner[] = {"t", "<!-- ' -->", "<!-- <b> -->", "<?p ' <b> ?>", "<![CDATA[ <b> ' ]]>", "&gt;", "'", "\""};
  const char* attributes[] = {"", " x='>'", " y=\"/>\"", " z='\"'", " w=\"'\""};
  int read = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string xml;
    std::vector<std::string> open;
    for (int step = 0; step < 30; ++step) {
      const unsigned choice = random() % 5;
      if (choice == 0 && !open.empty()) {
        xml += "</" + open.back() + ">";
        open.pop_back();
      } else if (choice == 1) {
        xml += inner[random() % std::size(inner)];
      } else {
        const std::string name(1, static_cast<char>('a' + random() % 3));
        const bool empty = choice == 2;
        xml += "<" + name + attributes[random() % std::size(attributes)] + (empty ? "/>" : ">");
        if (!empty) open.push_back(name);
      }
      if (open.empty() && !xml.empty() && random() % 4 == 0) break;
    }
    while (!open.empty() && random() % 8 != 0) {
      xml += "</" + open.back() + ">";
      open.pop_back();
    }
    xml = "<r>" + xml + "</r>";
    const std::size_t depth = 1 + random() % 4;
    ASSERT_TRUE(test::FilterAgreesWithParser(xml, depth)) << depth << " " << xml;
    bool whole = false;
    test::ParseElements({xml, std::string_view()}, depth, whole);
    read += whole;
  }
  EXPECT_GT(read, 300);  // enough payloads were read through to compare
}

}  // namespace
}  // namespace twk
