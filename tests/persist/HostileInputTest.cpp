// Payloads built to hurt the reader: deep nesting, entity expansion, huge
// texts. They must neither crash nor take more than linear memory.
#include <gtest/gtest.h>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

std::string Nested(const std::string& name, std::size_t depth, const std::string& inner = "") {
  std::string open, close;
  open.reserve(depth * (name.size() + 2));
  close.reserve(depth * (name.size() + 3));
  for (std::size_t i = 0; i < depth; ++i) {
    open += "<" + name + ">";
    close += "</" + name + ">";
  }
  return open + inner + close;
}

TEST(HostileXml, AMillionLevelsOfNestingAreSkippedWithoutRecursion) {
  const std::string xml = "<TWKFILE><X>" + Nested("a", 1000000) + "</X><TWKW>7</TWKW><CData><element>" +
                          Nested("b", 1000000, "<Type>9</Type>") + "<Type>3</Type></element></CData></TWKFILE>";
  TWKFILE doc;
  ASSERT_EQ(XmlToRecord(DocumentDescription(), xml, &doc), ResultCode::kOk);
  EXPECT_EQ(doc.TWKW, 7.0f);
  ASSERT_EQ(doc.CData.size(), 1);
  EXPECT_EQ(doc.CData.at(0)->Type, 3);  // the nested Type is not a child of the item

  // Unclosed nesting: the parse ends in an error and what came before counts.
  TWKFILE open;
  ASSERT_EQ(XmlToRecord(DocumentDescription(), "<TWKFILE><TWKH>2</TWKH>" + std::string(3000000, '<'), &open), ResultCode::kOk);
  EXPECT_EQ(open.TWKH, 2.0f);
}

TEST(HostileXml, EntityDeclarationsAreRefused) {
  std::string bomb = "<!DOCTYPE TWKFILE [<!ENTITY l0 \"lollollollollollollollollollol\">";
  for (int i = 1; i < 10; ++i) {
    bomb += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) bomb += "&l" + std::to_string(i - 1) + ";";
    bomb += "\">";
  }
  bomb += "]><TWKFILE><CData><element><Name>&l9;</Name></element></CData></TWKFILE>";
  TWKFILE doc;
  doc.TWKW = 5;
  EXPECT_EQ(XmlToRecord(DocumentDescription(), bomb, &doc), ResultCode::kNoXmlDocument);  // stopped before any element
  EXPECT_EQ(doc.TWKW, 5.0f);
  EXPECT_EQ(doc.CData.size(), 0);

  // Record files never carry a document type: any declaration is refused
  // like a payload without a document.
  EXPECT_EQ(XmlToRecord(DocumentDescription(), "<!DOCTYPE TWKFILE><TWKFILE><TWKW>6</TWKW></TWKFILE>", &doc),
            ResultCode::kNoXmlDocument);
  EXPECT_EQ(doc.TWKW, 5.0f);

  // Predefined entities and character references still resolve.
  ASSERT_EQ(XmlToRecord(DocumentDescription(),
                        "<TWKFILE><CData><element><Name>&lt;&#65;&#x1F600;&quot;&apos;</Name></element></CData>"
                        "</TWKFILE>",
                        &doc),
            ResultCode::kOk);
  EXPECT_EQ(doc.CData.at(0)->Name, "<A\xF0\x9F\x98\x80\"'");
}

TEST(HostileXml, HugeTextsAreTakenWhole) {
  const std::string name(50u << 20, 'n');
  const std::string xml = "<TWKFILE><TWKW>" + std::string(10u << 20, '1') + "</TWKW><Skip>" + name +
                          "</Skip><CData><element><Name>" + name + "</Name></element></CData></TWKFILE>";
  TWKFILE doc;
  ASSERT_EQ(XmlToRecord(DocumentDescription(), xml, &doc), ResultCode::kOk);
  EXPECT_EQ(doc.TWKW, std::numeric_limits<float>::infinity());
  ASSERT_EQ(doc.CData.size(), 1);
  EXPECT_EQ(doc.CData.at(0)->Name.size(), name.size());
}

TEST(HostileXml, ManyItemsAndStrayBytesDoNotConfuseTheFiller) {
  std::string xml = "<TWKFILE><CData>";
  for (int i = 0; i < 20000; ++i) xml += "<element><X1>" + std::to_string(i) + "</X1></element>";
  xml += "</CData></TWKFILE>";
  xml += std::string("\0\xff\xfe<x>", 7);
  TWKFILE doc;
  ASSERT_EQ(XmlToRecord(DocumentDescription(), xml, &doc), ResultCode::kOk);
  ASSERT_EQ(doc.CData.size(), 20000);
  EXPECT_EQ(doc.CData.at(19999)->X1, 19999.0f);

  TWKFILE invalid;
  ASSERT_EQ(XmlToRecord(DocumentDescription(), "<TWKFILE><TWKW>3</TWKW><CData><element><Name>a\xff", &invalid), ResultCode::kOk);
  EXPECT_EQ(invalid.TWKW, 3.0f);
  EXPECT_EQ(invalid.CData.size(), 1);
}

}  // namespace
}  // namespace twk
