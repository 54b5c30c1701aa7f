// Record files on disk: the container bytes and the result codes of loading.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include "PersistTestSupport.h"
#include "persist/DocumentFile.h"
#include "persist/RecordFile.h"

namespace twk {
namespace {

using test::ScratchDir;

TEST(DocumentFileBytes, EmptyDocumentIsTheWorkedExample) {
  ScratchDir dir;
  const std::string path = dir.File("empty.twk");
  ASSERT_EQ(SaveDocumentFile(path, TWKFILE{}), ResultCode::kOk);
  const std::string file = test::ReadBytes(path);
  ASSERT_GE(file.size(), 14u);
  EXPECT_EQ(file.substr(0, 4), std::string("\x74\x00\x77\x00", 4));
  const std::int32_t l = test::Int32From(file, 4);
  EXPECT_EQ(file.size(), 12u + static_cast<std::size_t>(l));
  EXPECT_EQ(test::Int32From(file, 8), 64);
  EXPECT_EQ(file.substr(12, 2), "\x78\x9C");
  EXPECT_EQ(test::Inflated(file.substr(12), 64),
            std::string("<TWKFILE><TWKW>16</TWKW><TWKH>16</TWKH><CData/></TWKFILE>") + std::string(7, '\0'));

  TWKFILE read;
  read.TWKW = 3;
  read.CData.append(TWKDATA{});
  ASSERT_EQ(LoadDocumentFile(path, read), ResultCode::kOk);
  EXPECT_EQ(read.TWKW, 16.0f);
  EXPECT_EQ(read.TWKH, 16.0f);
  EXPECT_EQ(read.CData.size(), 0);
}

TEST(DocumentFileBytes, LongTextsGetNoZeroFill) {
  ScratchDir dir;
  TWKFILE doc;
  doc.CData.append(test::RedLine());
  ASSERT_EQ(SaveDocumentFile(dir.File("line.twk"), doc), ResultCode::kOk);
  const std::string file = test::ReadBytes(dir.File("line.twk"));
  EXPECT_EQ(test::Int32From(file, 8), 354);
  EXPECT_EQ(test::Inflated(file.substr(12), 354), DocumentToXml(doc));
  TWKFILE read;
  ASSERT_EQ(LoadDocumentFile(dir.File("line.twk"), read), ResultCode::kOk);
  ASSERT_EQ(read.CData.size(), 1);
  EXPECT_EQ(*read.CData.at(0), test::RedLine());
}

TEST(DocumentFileBytes, EscapedNamesAndFloatsSurviveRepeatedSaves) {
  ScratchDir dir;
  const std::string path = dir.File("names.twk");
  test::WriteBytes(path, test::DocumentFileWithXml(
                             "<TWKFILE><CData><element><Name>&lt;a&amp;b&gt; \"q\"</Name><X1>0.1</X1></element>"
                             "</CData></TWKFILE>"));
  for (int round = 0; round < 3; ++round) {
    TWKFILE doc;
    ASSERT_EQ(LoadDocumentFile(path, doc), ResultCode::kOk);
    ASSERT_EQ(doc.CData.size(), 1);
    EXPECT_EQ(doc.CData.at(0)->Name, "<a&b> \"q\"");
    EXPECT_EQ(doc.CData.at(0)->X1, 0.1f);
    ASSERT_EQ(SaveDocumentFile(path, doc), ResultCode::kOk);
    const std::string file = test::ReadBytes(path);
    const std::string xml = test::Inflated(file.substr(12), static_cast<std::size_t>(test::Int32From(file, 8)));
    EXPECT_NE(xml.find("<Name>&lt;a&amp;b&gt; \"q\"</Name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<X1>0.1000000015</X1>"), std::string::npos) << xml;
  }
}

TEST(DocumentFileLoad, RejectsWrongLengths) {
  ScratchDir dir;
  std::string payload = "<TWKFILE><TWKW>16</TWKW><TWKH>16</TWKH><CData/></TWKFILE>";
  payload.resize(64, '\0');
  const std::string stream = test::Compressed(payload);
  TWKFILE doc;
  doc.TWKW = 5;
  test::WriteBytes(dir.File("long.twk"), test::TaggedFile(stream, 100));
  EXPECT_EQ(LoadDocumentFile(dir.File("long.twk"), doc), ResultCode::kPayloadFailed);
  // A stream that inflates past the announced length is refused like a
  // header announcing too much.
  test::WriteBytes(dir.File("short.twk"), test::TaggedFile(stream, 63));
  EXPECT_EQ(LoadDocumentFile(dir.File("short.twk"), doc), ResultCode::kFileFailed);
  std::string damaged = stream;
  damaged[damaged.size() - 1] ^= 0x55;  // Adler-32 trailer
  test::WriteBytes(dir.File("damaged.twk"), test::TaggedFile(damaged, 64));
  EXPECT_EQ(LoadDocumentFile(dir.File("damaged.twk"), doc), ResultCode::kPayloadFailed);
  test::WriteBytes(dir.File("cut.twk"), test::TaggedFile(stream.substr(0, stream.size() / 2), 64));
  EXPECT_EQ(LoadDocumentFile(dir.File("cut.twk"), doc), ResultCode::kPayloadFailed);
  EXPECT_EQ(doc.TWKW, 5.0f);  // untouched by every failure
  // Bytes after the announced stream are ignored.
  test::WriteBytes(dir.File("trailing.twk"), test::TaggedFile(stream, 64) + "trailing junk");
  EXPECT_EQ(LoadDocumentFile(dir.File("trailing.twk"), doc), ResultCode::kOk);
  EXPECT_EQ(doc.TWKW, 16.0f);
}

TEST(DocumentFileLoad, RejectsBadFilesWithCodeThree) {
  ScratchDir dir;
  TWKFILE doc;
  doc.TWKW = 5;
  test::WriteBytes(dir.File("tiny.twk"), "t\0w");
  EXPECT_EQ(LoadDocumentFile(dir.File("tiny.twk"), doc), ResultCode::kFileFailed);
  EXPECT_EQ(LoadDocumentFile(dir.File("missing.twk"), doc), ResultCode::kFileFailed);
  EXPECT_EQ(LoadDocumentFile(dir.path().string(), doc), ResultCode::kFileFailed);
  const std::string good = test::DocumentFileWithXml("<TWKFILE/>");
  std::string wrongTag = good;
  wrongTag[2] = 'W';
  test::WriteBytes(dir.File("tag.twk"), wrongTag);
  EXPECT_EQ(LoadDocumentFile(dir.File("tag.twk"), doc), ResultCode::kFileFailed);
  test::WriteBytes(dir.File("header.twk"), good.substr(0, 8));  // N missing: reads as zero
  EXPECT_EQ(LoadDocumentFile(dir.File("header.twk"), doc), ResultCode::kFileFailed);
  std::string zeroL = good;
  zeroL.replace(4, 4, test::Int32Bytes(0));
  test::WriteBytes(dir.File("zerol.twk"), zeroL);
  EXPECT_EQ(LoadDocumentFile(dir.File("zerol.twk"), doc), ResultCode::kFileFailed);
  test::WriteBytes(dir.File("truncated.twk"), good.substr(0, good.size() - 1));
  EXPECT_EQ(LoadDocumentFile(dir.File("truncated.twk"), doc), ResultCode::kFileFailed);
  ASSERT_EQ(mkfifo(dir.File("fifo.twk").c_str(), 0644), 0);
  EXPECT_EQ(LoadDocumentFile(dir.File("fifo.twk"), doc), ResultCode::kFileFailed);  // never opened, so never blocks
  EXPECT_EQ(doc.TWKW, 5.0f);
}

TEST(DocumentFileLoad, HonoursReadOnlyFilesAndLocks) {
  ScratchDir dir;
  const std::string path = dir.File("doc.twk");
  ASSERT_EQ(SaveDocumentFile(path, TWKFILE{}), ResultCode::kOk);
  TWKFILE doc;
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(LoadDocumentFile(path, doc), ResultCode::kFileFailed);
  EXPECT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);

  const int holder = open(path.c_str(), O_RDONLY);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(LoadDocumentFile(path, doc), ResultCode::kFileFailed);
  EXPECT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kFileFailed);
  EXPECT_EQ(SaveDocumentFile(path, TWKFILE{}), ResultCode::kFileFailed);
  close(holder);
  EXPECT_EQ(LoadDocumentFile(path, doc), ResultCode::kOk);
}

using test::AddressSanitizerLinked;
using test::InSmallAddressSpace;

TEST(DocumentFileLoad, DoesNotTrustHeaderLengths) {
  if (AddressSanitizerLinked())
    GTEST_SKIP() << "an address-space limit cannot be combined with AddressSanitizer's shadow memory";
  ScratchDir dir;
  const std::string good = test::DocumentFileWithXml("<TWKFILE><TWKW>1</TWKW></TWKFILE>");
  std::string hugeL = good;
  hugeL.replace(4, 4, test::Int32Bytes(0x7FFFFFF0));
  test::WriteBytes(dir.File("hugeL.twk"), hugeL);
  std::string hugeN = good;
  hugeN.replace(8, 4, test::Int32Bytes(0x7FFFFFFF));
  test::WriteBytes(dir.File("hugeN.twk"), hugeN);
  test::WriteBytes(dir.File("hugeBare.cfg"), test::Int32Bytes(0x7FFFFFFF) + good.substr(12));
  std::string ceilingN = good;  // as much as a document may announce
  ceilingN.replace(8, 4, test::Int32Bytes(static_cast<std::int32_t>(kDocumentPayloadCeiling)));
  test::WriteBytes(dir.File("ceilingN.twk"), ceilingN);
  EXPECT_EQ(InSmallAddressSpace([&] {
              TWKFILE doc;
              return LoadDocumentFile(dir.File("hugeL.twk"), doc);
            }),
            static_cast<int>(ResultCode::kFileFailed));
  EXPECT_EQ(InSmallAddressSpace([&] {
              TWKFILE doc;
              return LoadDocumentFile(dir.File("hugeN.twk"), doc);
            }),
            static_cast<int>(ResultCode::kFileFailed));
  EXPECT_EQ(InSmallAddressSpace([&] {
              TWKFILE doc;
              return LoadDocumentFile(dir.File("ceilingN.twk"), doc);
            }),
            static_cast<int>(ResultCode::kPayloadFailed));
  EXPECT_EQ(InSmallAddressSpace([&] {
              TWKFILE doc;
              return LoadRecordFile(dir.File("hugeBare.cfg"), DocumentDescription(), doc, Container::kBare);
            }),
            static_cast<int>(ResultCode::kFileFailed));
}

TEST(BareContainer, FramesThePayloadWithItsLengthOnly) {
  ScratchDir dir;
  TWKFILE doc;
  doc.TWKW = 2;
  const std::string path = dir.File("bare.bin");
  ASSERT_EQ(SaveRecordFile(path, DocumentDescription(), doc, Container::kBare), ResultCode::kOk);
  const std::string file = test::ReadBytes(path);
  EXPECT_EQ(test::Int32From(file, 0), 64);
  EXPECT_EQ(file.substr(4, 2), "\x78\x9C");
  TWKFILE read;
  EXPECT_EQ(LoadDocumentFile(path, read), ResultCode::kFileFailed);  // no document tag
  ASSERT_EQ(LoadRecordFile(path, DocumentDescription(), read, Container::kBare), ResultCode::kOk);
  EXPECT_EQ(read.TWKW, 2.0f);

  test::WriteBytes(path, test::Int32Bytes(64));  // no stream at all
  EXPECT_EQ(LoadRecordFile(path, DocumentDescription(), read, Container::kBare), ResultCode::kFileFailed);
  test::WriteBytes(path, test::Int32Bytes(0) + file.substr(4));
  EXPECT_EQ(LoadRecordFile(path, DocumentDescription(), read, Container::kBare), ResultCode::kPayloadFailed);
}

}  // namespace
}  // namespace twk
