// The parser's own memory budget, refused document type declarations, the
// stream read only as far as it goes, and saves that never write what the
// load would refuse.
#include <expat.h>
#include <gtest/gtest.h>

#include "PersistTestSupport.h"
#include "persist/Compression.h"
#include "persist/Config.h"
#include "persist/DocumentFile.h"
#include "persist/ParserBudget.h"
#include "persist/RecordFile.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

TEST(ParserBudget, RefusesTheAllocationThatPassesItAndCountsEveryByteBack) {
  std::string nesting;
  for (int i = 0; i < 65536; ++i) nesting += "<x>";  // 48 pieces of 4 KiB
  ParserBudget budget(256 << 10);
  {
    const ParserBudget::Scope scope(budget);
    XML_Parser parser = budget.CreateParser("UTF-8");
    ASSERT_NE(parser, nullptr);
    std::string_view rest = nesting;
    XML_Status status = XML_STATUS_OK;
    while (status == XML_STATUS_OK && !rest.empty()) {
      status = XML_Parse(parser, rest.data(), 4096, XML_FALSE);
      rest.remove_prefix(4096);
    }
    EXPECT_EQ(status, XML_STATUS_ERROR);
    EXPECT_EQ(XML_GetErrorCode(parser), XML_ERROR_NO_MEMORY);
    XML_ParserFree(parser);
  }
  EXPECT_TRUE(budget.refused());
  EXPECT_LE(budget.peak(), std::size_t{256} << 10);
  EXPECT_GT(budget.peak(), std::size_t{128} << 10);
  EXPECT_EQ(budget.held(), 0u);
}

// Many distinct attributes on one element cost the parser memory per name.
std::string ManyAttributes(int count) {
  std::string xml = "<TWKFILE><TWKW>3</TWKW><a";
  for (int i = 0; i < count; ++i) xml += " n" + std::to_string(i) + "=''";
  return xml + "/><TWKH>4</TWKH></TWKFILE>";
}

TEST(XmlToRecord, EndsTheParseWhenTheBudgetRunsOutAndKeepsWhatCameBefore) {
  RecordDescription small = DocumentDescription();
  small.parserBudget = 512 << 10;
  TWKFILE doc;
  ASSERT_EQ(XmlToRecord(small, ManyAttributes(100000), &doc), ResultCode::kOk);
  EXPECT_EQ(doc.TWKW, 3.0f);
  EXPECT_EQ(doc.TWKH, 0.0f);  // after the element that broke the budget
  // The ordinary budget reads the same element to the end.
  ASSERT_EQ(XmlToRecord(DocumentDescription(), ManyAttributes(1000), &doc), ResultCode::kOk);
  EXPECT_EQ(doc.TWKH, 4.0f);
}

TEST(XmlToRecord, RefusesEveryDocumentTypeDeclarationForDocumentsAndConfigurations) {
  const std::string nesting(3000, 'x');
  const char* declarations[] = {
      "<!DOCTYPE R>",
      "<!DOCTYPE R SYSTEM 'r.dtd'>",
      // Quotes hidden in comments and processing instructions of the subset.
      "<!DOCTYPE R [<!-- ' -->]>",
      "<!DOCTYPE R [<?pi ' ?>]>",
      "<!DOCTYPE R [<!-- [ -->]>",
      "<!DOCTYPE R [<!ATTLIST a b CDATA 'v' c CDATA 'w'>]>",
  };
  for (const char* declaration : declarations) {
    TWKFILE doc;
    doc.TWKW = 9;
    EXPECT_EQ(XmlToRecord(DocumentDescription(), std::string(declaration) + "<TWKFILE><TWKW>3</TWKW><x><x><x>", &doc),
              ResultCode::kNoXmlDocument)
        << declaration;
    EXPECT_EQ(doc.TWKW, 9.0f) << declaration;
    CONFIG config{7, {}, "", 0};
    EXPECT_EQ(XmlToRecord(ConfigDescription(), std::string(declaration) + "<CONFIG><valid>1</valid></CONFIG>", &config),
              ResultCode::kNoXmlDocument)
        << declaration;
    EXPECT_EQ(config.valid, 7) << declaration;
  }
}

TEST(LoadRecordFile, ReadsTheStreamOnlyAsFarAsItGoes) {
  test::ScratchDir dir;
  const std::string xml = "<TWKFILE><TWKW>5</TWKW></TWKFILE>" + std::string(40, '\0');
  const std::string stream = test::Compressed(xml);
  // 300 MB of junk announced after the stream, without its bytes: the file
  // is sparse. Reading the announced length whole would not fit in 256 MB.
  const std::uint64_t junk = 300u << 20;
  const std::string path = dir.File("junk.twk");
  test::WriteBytes(path, std::string("\x74\x00\x77\x00", 4) +
                             test::Int32Bytes(static_cast<std::int32_t>(stream.size() + junk)) +
                             test::Int32Bytes(static_cast<std::int32_t>(xml.size())) + stream);
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(12 + stream.size() + junk)), 0);
  if (test::AddressSanitizerLinked()) GTEST_SKIP() << "an address-space limit cannot be combined with AddressSanitizer";
  EXPECT_EQ(test::InSmallAddressSpace([&] {
              TWKFILE doc;
              return LoadDocumentFile(path, doc) == ResultCode::kOk && doc.TWKW == 5 ? 0 : 1;
            }),
            0);
}

TEST(InflatePayload, ARefusedReadRefusesThePayload) {
  const std::string stream = test::Compressed(std::string(100000, 'a'));
  std::size_t served = 0;
  std::string payload;
  const StreamSource failsHalfway = [&](char* buffer, std::size_t room) -> std::ptrdiff_t {
    if (served >= stream.size() / 2) return -1;
    const std::size_t n = std::min(room, stream.size() / 2 - served);
    std::copy_n(stream.data() + served, n, buffer);
    served += n;
    return static_cast<std::ptrdiff_t>(n);
  };
  EXPECT_EQ(InflatePayload(failsHalfway, 100000, payload), ResultCode::kPayloadFailed);
  EXPECT_TRUE(payload.empty());
}

TEST(SaveRecordFile, RefusesWhatTheLoadWouldRefuseAndKeepsTheOldFile) {
  test::ScratchDir dir;
  RecordDescription small = DocumentDescription();
  small.payloadCeiling = 4096;
  const std::string path = dir.File("small.twk");
  TWKFILE doc;
  doc.TWKW = 1;
  ASSERT_EQ(SaveRecordFile(path, small, doc, Container::kTagged), ResultCode::kOk);
  const std::string before = test::ReadBytes(path);
  TWKDATA item;
  item.Name = std::string(1500, '>');  // escaped, four times as long
  doc.CData.append(item);
  EXPECT_EQ(SaveRecordFile(path, small, doc, Container::kTagged), ResultCode::kPayloadFailed);
  EXPECT_EQ(test::ReadBytes(path), before);
  // Just under the ceiling still saves and loads back.
  doc.CData.at(0)->Name = std::string(700, '>');
  ASSERT_EQ(SaveRecordFile(path, small, doc, Container::kTagged), ResultCode::kOk);
  TWKFILE read;
  ASSERT_EQ(LoadRecordFile(path, small, read, Container::kTagged), ResultCode::kOk);
  EXPECT_EQ(read.CData.at(0)->Name, doc.CData.at(0)->Name);
}

TEST(WriteRecordXml, HandsOnPiecesThatJoinToTheWholeTextAndStopsWhenRefused) {
  TWKFILE doc;
  TWKDATA item;
  item.Name = std::string(300000, '&');
  doc.CData.append(item);
  doc.CData.append(TWKDATA{});
  std::vector<std::size_t> pieces;
  std::string joined;
  ASSERT_TRUE(WriteDocumentXml(doc, [&](std::string_view piece) {
    pieces.push_back(piece.size());
    joined.append(piece);
    return true;
  }));
  EXPECT_EQ(joined, DocumentToXml(doc));
  EXPECT_GT(pieces.size(), 10u);
  EXPECT_LT(*std::max_element(pieces.begin(), pieces.end()), std::size_t{200} << 10);
  int calls = 0;
  EXPECT_FALSE(WriteDocumentXml(doc, [&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace twk
