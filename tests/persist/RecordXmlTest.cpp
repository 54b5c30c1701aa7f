// The XML form of records: writing and the filling rules of reading.
#include <gtest/gtest.h>

#include "persist/Config.h"
#include "persist/DocumentFile.h"
#include "persist/RecordXml.h"
#include "PersistTestSupport.h"

namespace twk {
namespace {

const char* const kOneLineXml =
    "<TWKFILE><TWKW>16</TWKW><TWKH>16</TWKH><CData><element><Name/><Type>0</Type><DrawMethod>0</DrawMethod>"
    "<DrawMethod2>0</DrawMethod2><DrawWidth>1</DrawWidth><DrawAngle>0</DrawAngle><DrawRGBA>-16776961</DrawRGBA>"
    "<Visible>1</Visible><X1>2.5</X1><Y1>3.5</Y1><X2>2.5</X2><Y2>3.5</Y2><X3>2.5</X3><Y3>3.5</Y3><X4>10.5</X4>"
    "<Y4>12.5</Y4></element></CData></TWKFILE>";

using test::RedLine;

TWKFILE Filled(const std::string& xml, TWKFILE doc = {}) {
  EXPECT_EQ(XmlToRecord(DocumentDescription(), xml, &doc), ResultCode::kOk) << xml;
  return doc;
}

TEST(RecordToXml, WritesTheWorkedExamplesByteForByte) {
  TWKFILE empty;
  EXPECT_EQ(DocumentToXml(empty), "<TWKFILE><TWKW>16</TWKW><TWKH>16</TWKH><CData/></TWKFILE>");
  EXPECT_EQ(DocumentToXml(empty).size(), 57u);

  TWKFILE one;
  one.CData.append(RedLine());
  EXPECT_EQ(DocumentToXml(one), kOneLineXml);
  EXPECT_EQ(DocumentToXml(one).size(), 354u);
}

TEST(RecordToXml, EscapesNamesAndKeepsQuotesAndFourByteCharacters) {
  TWKFILE doc;
  TWKDATA item;
  item.Name = "<a&b> \"x\" \xF0\x9F\x98\x80";  // U+1F600 as one four-byte sequence
  doc.CData.append(item);
  const std::string xml = DocumentToXml(doc);
  EXPECT_NE(xml.find("<Name>&lt;a&amp;b&gt; \"x\" \xF0\x9F\x98\x80</Name>"), std::string::npos) << xml;
  EXPECT_EQ(Filled(xml).CData.at(0)->Name, item.Name);
}

TEST(RecordToXml, WritesListsOfScalarsAndEmptyStrings) {
  CONFIG config;
  config.valid = 1;
  config.Palette = {0, 16777215, -1};
  config.RecentExport = 5;
  EXPECT_EQ(RecordToXml(ConfigDescription(), &config),
            "<CONFIG><valid>1</valid><Palette><element>0</element><element>16777215</element>"
            "<element>-1</element></Palette><RecentFile/><RecentExport>5</RecentExport><HideMarks>0</HideMarks><FitEdges>0</FitEdges><OtherSizes/><IconGround>0</IconGround></CONFIG>");
}

// A record type beyond the two the program stores: a list of strings and a
// list of records that hold lists themselves.
struct Leaf {
  std::vector<std::string> Tags;
};
struct Tree {
  std::uint8_t Flag = 0;
  std::vector<Leaf> Leaves;
};
struct LeafListOps {
  static const void* Item(const std::vector<Leaf>& list, std::size_t i) { return &list[i]; }
  static void* Append(std::vector<Leaf>& list) { return &list.emplace_back(); }
};

TEST(RecordDescriptions, NestedListsWriteAndReadGenerically) {
  static RecordDescription leaf{"Leaf", {ListField<&Leaf::Tags, VectorListOps>("Tags$", ValueType::kString, 100)}};
  RecordDescription tree{"Tree",
                         {ScalarField<&Tree::Flag>("Flag"),
                          ListField<&Tree::Leaves, LeafListOps>("Leaves", ValueType::kRecord, 100, &leaf)}};
  Tree t;
  t.Flag = 200;
  t.Leaves = {Leaf{{"a<b", "", "c"}}, Leaf{}};
  const std::string xml = RecordToXml(tree, &t);
  EXPECT_EQ(xml,
            "<Tree><Flag>200</Flag><Leaves><element><Tags><element>a&lt;b</element><element/><element>c</element>"
            "</Tags></element><element><Tags/></element></Leaves></Tree>");
  Tree read;
  read.Leaves.resize(5);
  ASSERT_EQ(XmlToRecord(tree, xml, &read), ResultCode::kOk);
  EXPECT_EQ(read.Flag, 200);
  ASSERT_EQ(read.Leaves.size(), 2u);
  EXPECT_EQ(read.Leaves[0].Tags, t.Leaves[0].Tags);
  EXPECT_TRUE(read.Leaves[1].Tags.empty());
}

TEST(XmlToRecord, ReadsBackEverythingItWrote) {
  TWKFILE doc;
  doc.TWKW = 12;
  doc.TWKH = 0.1f;
  TWKDATA a = RedLine();
  a.Name = "front";
  a.Type = 3;
  a.DrawMethod = 2;
  a.DrawMethod2 = 1;
  a.DrawAngle = 359.875f;
  TWKDATA b;
  b.Name = "back";
  b.DrawRGBA = 0x7F00FF00;
  doc.CData.append(a);
  doc.CData.append(b);
  const TWKFILE read = Filled(DocumentToXml(doc));
  EXPECT_EQ(read.TWKW, 12.0f);
  EXPECT_EQ(read.TWKH, 0.1f);
  ASSERT_EQ(read.CData.size(), 2);
  EXPECT_EQ(*read.CData.at(0), a);
  EXPECT_EQ(*read.CData.at(1), b);
}

TEST(XmlToRecord, FindsElementsByExactNameInAnyOrder) {
  const TWKFILE reordered = Filled("<TWKFILE><CData/><TWKH>7</TWKH><Extra>1</Extra><TWKW>9</TWKW></TWKFILE>");
  EXPECT_EQ(reordered.TWKW, 9.0f);
  EXPECT_EQ(reordered.TWKH, 7.0f);

  TWKFILE old;
  old.TWKW = 5;
  old.CData.append(RedLine());
  const TWKFILE missing = Filled("<TWKFILE><TWKH>7</TWKH></TWKFILE>", old);
  EXPECT_EQ(missing.TWKW, 0.0f);  // reset, not kept
  EXPECT_EQ(missing.CData.size(), 0);

  const TWKFILE wrongCase = Filled("<TWKFILE><twkw>16</twkw><TWKH>16</TWKH></TWKFILE>");
  EXPECT_EQ(wrongCase.TWKW, 0.0f);
  EXPECT_EQ(wrongCase.TWKH, 16.0f);

  // The document element's own name is not compared; repeats count once.
  const TWKFILE repeated = Filled("<Other><TWKW>3</TWKW><TWKW>4</TWKW></Other>");
  EXPECT_EQ(repeated.TWKW, 3.0f);
}

TEST(XmlToRecord, UsesOwnTextOnly) {
  EXPECT_EQ(Filled("<TWKFILE><TWKW> 2.5 </TWKW></TWKFILE>").TWKW, 2.5f);
  EXPECT_EQ(Filled("<TWKFILE><TWKW>1<b>9</b>6</TWKW></TWKFILE>").TWKW, 16.0f);
  EXPECT_EQ(Filled("<TWKFILE><TWKW><![CDATA[5]]></TWKW></TWKFILE>").TWKW, 0.0f);
  EXPECT_EQ(Filled("<TWKFILE><TWKW>1<!-- c -->2<?pi x?></TWKW></TWKFILE>").TWKW, 12.0f);
  const TWKFILE doc = Filled(
      "<TWKFILE><CData><element><Type>258</Type><Name> a&#x26;b <![CDATA[zz]]></Name><DrawRGBA>$FF</DrawRGBA>"
      "</element><junk/><element/></CData></TWKFILE>");
  ASSERT_EQ(doc.CData.size(), 2);
  EXPECT_EQ(doc.CData.at(0)->Type, 2);
  EXPECT_EQ(doc.CData.at(0)->Name, " a&b ");  // untrimmed, CDATA left out
  EXPECT_EQ(doc.CData.at(0)->DrawRGBA, 255);
  EXPECT_EQ(*doc.CData.at(1), TWKDATA{});
}

TEST(XmlToRecord, ReadsIndentedPayloadsLikeCompactOnes) {
  TWKFILE one;
  one.CData.append(RedLine());
  std::string indented;
  for (char c : std::string(kOneLineXml)) {
    if (c == '<' && !indented.empty() && indented.back() == '>') indented += "\r\n    \t";
    indented.push_back(c);
  }
  const TWKFILE read = Filled("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + indented + "\n");
  EXPECT_EQ(DocumentToXml(read), kOneLineXml);
}

TEST(XmlToRecord, ReplacesListItemsAndKeepsWhatCameBeforeAnError) {
  TWKFILE doc;
  doc.CData.append(RedLine());
  doc.CData.append(RedLine());
  doc = Filled("<TWKFILE><TWKW>4</TWKW><CData><element><Visible>1</Visible></element></CData><TWKH>3", doc);
  EXPECT_EQ(doc.TWKW, 4.0f);
  EXPECT_EQ(doc.TWKH, 3.0f);  // the open element's text still counts
  ASSERT_EQ(doc.CData.size(), 1);
  EXPECT_EQ(doc.CData.at(0)->Visible, 1);

  const std::string zeroFilled = std::string("<TWKFILE><TWKW>16</TWKW></TWKFILE>") + std::string(7, '\0');
  EXPECT_EQ(Filled(zeroFilled).TWKW, 16.0f);
}

TEST(XmlToRecord, LeavesTheRecordAloneWithoutAnyElement) {
  TWKFILE doc;
  doc.TWKW = 9;
  doc.CData.append(RedLine());
  for (const std::string payload : {std::string(64, '\0'), std::string("no xml here"), std::string("<!-- -->")}) {
    EXPECT_EQ(XmlToRecord(DocumentDescription(), payload, &doc), ResultCode::kNoXmlDocument);
    EXPECT_EQ(doc.TWKW, 9.0f);
    EXPECT_EQ(doc.CData.size(), 1);
  }
}

}  // namespace
}  // namespace twk
