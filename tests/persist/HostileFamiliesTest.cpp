// The hostile file families against ceilings made small: each load is
// refused at its header, stops its list at the ceiling, or skips what lies
// too deep, and never grows with what it does not keep.
#include <gtest/gtest.h>

#include <ostream>

#include "support/HostileFamilies.h"
#include "PersistTestSupport.h"
#include "persist/Config.h"
#include "persist/DepthFilter.h"
#include "persist/DocumentFile.h"
#include "persist/RecordFile.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

using test::HostileFamily;

RecordDescription WithCeilings(RecordDescription description, std::size_t payload, std::size_t items) {
  description.payloadCeiling = payload;
  for (FieldDescription& field : description.fields) field.maxItems = items;
  return description;
}

// What a load left in the record: for a document its width, item count and
// first name's length; for a configuration `valid` and the palette size.
struct Outcome {
  ResultCode code;
  float first;
  std::size_t items;
  std::size_t nameLength;
  bool operator==(const Outcome&) const = default;
};
void PrintTo(const Outcome& o, std::ostream* out) {
  *out << "{code " << static_cast<int>(o.code) << ", " << o.first << ", " << o.items << " items, name "
       << o.nameLength << "}";
}

Outcome LoadSmall(HostileFamily family, std::uint64_t count) {
  test::ScratchDir dir;
  const std::string path = dir.File("hostile");
  test::WriteBytes(path, test::HostileFileBytes(family, count));
  if (family == HostileFamily::kLongPalette) {
    CONFIG config{9, {1}, "", 0};
    const ResultCode code =
        LoadRecordFile(path, WithCeilings(ConfigDescription(), 64 << 10, 50), config, Container::kBare);
    return {code, static_cast<float>(config.valid), config.Palette.size(), 0};
  }
  TWKFILE doc;
  doc.TWKW = 9;
  doc.CData.append(test::RedLine());
  const ResultCode code =
      LoadRecordFile(path, WithCeilings(DocumentDescription(), 1 << 20, 100), doc, Container::kTagged);
  return {code, doc.TWKW, static_cast<std::size_t>(doc.CData.size()),
          doc.CData.size() > 0 ? doc.CData.at(0)->Name.size() : 0};
}

TEST(HostileFamilies, AreRefusedOrLoadWithinTheCeilings) {
  constexpr auto kOk = ResultCode::kOk;
  const Outcome untouchedDocument{ResultCode::kFileFailed, 9, 1, 0};
  struct Case {
    HostileFamily family;
    std::uint64_t count;
    Outcome expected;
  } cases[] = {
      {HostileFamily::kNestedUnclosed, 1'000'000, untouchedDocument},  // 3 MB announced
      {HostileFamily::kNestedUnclosed, 300'000, {kOk, 0, 0, 0}},
      {HostileFamily::kEmptyItems, 200'000, untouchedDocument},
      {HostileFamily::kEmptyItems, 50'000, {kOk, 0, 100, 0}},
      {HostileFamily::kItemsWithChildren, 20'000, {kOk, 0, 100, 0}},
      {HostileFamily::kZeroBytes, 4 << 20, untouchedDocument},
      {HostileFamily::kZeroBytes, 1 << 20, {ResultCode::kNoXmlDocument, 9, 1, 0}},
      {HostileFamily::kLongPalette, 100'000, {ResultCode::kFileFailed, 9, 1, 0}},
      {HostileFamily::kLongPalette, 2'000, {kOk, 1, 50, 0}},
      {HostileFamily::kLongName, 4 << 20, untouchedDocument},
      {HostileFamily::kLongName, 900'000, {kOk, 0, 1, 900'000}},
      {HostileFamily::kNestedInScalar, 200'000, untouchedDocument},
      {HostileFamily::kNestedInScalar, 100'000, {kOk, 5, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadSmall(c.family, c.count), c.expected) << static_cast<int>(c.family) << " x " << c.count;
  }
}

TEST(HostileFamilies, NestingWithinThePayloadCeilingCostsNoMemoryPerLevel) {
  if (test::AddressSanitizerLinked()) GTEST_SKIP() << "an address-space limit cannot be combined with AddressSanitizer";
  test::ScratchDir dir;
  // 4 million levels (28 MB of XML): a parser stack per level would need
  // more than half a gigabyte, and running out of it would end the parse
  // before the height that follows the nesting.
  test::WriteBytes(dir.File("deep.twk"), test::HostileFileBytes(HostileFamily::kNestedInScalar, 4'000'000));
  EXPECT_EQ(test::InSmallAddressSpace([&] {
              TWKFILE doc;
              const ResultCode code = LoadDocumentFile(dir.File("deep.twk"), doc);
              return code == ResultCode::kOk && doc.TWKW == 5 && doc.TWKH == 6 ? 0 : 1;
            }),
            0);
}

std::string Filtered(std::string_view payload, std::size_t maxDepth) {
  DepthFilter filter(payload, maxDepth);
  std::string out;
  while (!filter.done()) out += filter.Next();
  return out;
}

TEST(DepthFilter, DropsElementsBelowTheDepthWithTheirContent) {
  const struct {
    const char* payload;
    std::size_t maxDepth;
    const char* kept;
  } cases[] = {
      {"<a><b><c>x</c></b>y</a>", 2, "<a><b></b>y</a>"},
      {"<a><b><b></b></b><c/>z</a>", 1, "<a>z</a>"},
      {"<a><!-- <b> --><b/>t</a>", 1, "<a><!-- <b> -->t</a>"},
      {"<a><![CDATA[<b>]]></a>", 1, "<a><![CDATA[<b>]]></a>"},
      {"<a><b x='>' y=\"/>\"><c/></b>t</a>", 1, "<a>t</a>"},
      {"<?xml version='1.0'?><a><?p <b>?><b/></a>", 1, "<?xml version='1.0'?><a><?p <b>?></a>"},
      // The reader refuses declarations: the scan passes the rest on as it is.
      {"<!DOCTYPE a [<!-- ' -->]><a><b/></a>", 1, "<!DOCTYPE a [<!-- ' -->]><a><b/></a>"},
      {"<a><b><c>never closed", 1, "<a>"},
      {"<a><b></b></a><x><y/></x>", 2, "<a><b></b></a><x><y/></x>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Filtered(c.payload, c.maxDepth), c.kept) << c.payload;
}

TEST(XmlToRecord, ReadsTheBytesAsUtf8WhateverTheyAnnounce) {
  const std::string text = "<TWKFILE><TWKW>5</TWKW><TWKH>6</TWKH></TWKFILE>";
  std::string bigEndian = "\xFE\xFF", littleEndian = "\xFF\xFE";
  for (char c : text) {
    bigEndian += std::string{'\0', c};
    littleEndian += std::string{c, '\0'};
  }
  for (const std::string& payload : {bigEndian, littleEndian}) {
    TWKFILE doc;
    doc.TWKW = 9;
    EXPECT_EQ(XmlToRecord(DocumentDescription(), payload, &doc), ResultCode::kNoXmlDocument);
    EXPECT_EQ(doc.TWKW, 9.0f);
  }
}

}  // namespace
}  // namespace twk
