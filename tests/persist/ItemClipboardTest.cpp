// Items as clipboard text: every value comes back bit for bit, each item's
// element is the one Save writes, and text that is too long, holds too many
// items or is not whole well-formed XML gives nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "persist/ItemClipboard.h"

namespace twk {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TWKDATA Item(std::string name, std::uint8_t type, std::uint8_t visible, std::vector<float> floats) {
  TWKDATA item;
  item.Name = std::move(name);
  item.Type = type;
  item.DrawMethod = static_cast<std::uint8_t>(type + 1);
  item.DrawMethod2 = static_cast<std::uint8_t>(type + 2);
  item.DrawRGBA = -16776961 + type;
  item.Visible = visible;
  float* fields[] = {&item.DrawWidth, &item.DrawAngle, &item.X1, &item.Y1, &item.X2,
                     &item.Y2,        &item.X3,        &item.Y3, &item.X4, &item.Y4};
  for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = floats[i % floats.size()];
  return item;
}

// The items of `doc` as bytes, so that NaN compares equal to itself and
// every float is compared bit for bit.
std::vector<std::string> Bits(const TWKFILE& doc) {
  std::vector<std::string> out;
  const auto raw = [](const auto& v) { return std::string(reinterpret_cast<const char*>(&v), sizeof v); };
  out.push_back(raw(doc.TWKW) + raw(doc.TWKH));
  for (int i = 0; i < doc.CData.size(); ++i) {
    const TWKDATA& d = *doc.CData.at(i);
    out.push_back(d.Name + "|" + raw(d.Type) + raw(d.DrawMethod) + raw(d.DrawMethod2) + raw(d.DrawWidth) +
                  raw(d.DrawAngle) + raw(d.DrawRGBA) + raw(d.Visible) + raw(d.X1) + raw(d.Y1) + raw(d.X2) +
                  raw(d.Y2) + raw(d.X3) + raw(d.Y3) + raw(d.X4) + raw(d.Y4));
  }
  return out;
}

TWKFILE Picked(std::vector<TWKDATA> items, float w = 9.5f, float h = 3) {
  TWKFILE doc;
  doc.TWKW = w;
  doc.TWKH = h;
  for (const TWKDATA& item : items) doc.CData.append(item);
  return doc;
}

TEST(ItemClipboardTest, EveryValueComesBackBitForBit) {
  const TWKFILE picked = Picked({
      Item("", kLine, 1, {1.5f, 0, 2.5f, 3.5f, 10.5f, 12.5f}),
      Item("<a&b> \"q\" 'x' \xF0\x9F\x98\x80", kCurve, 1, {0.25f, 359.875f, 0.1f, -2, 15.875f}),
      Item("hidden", kRect, 0, {kInf, -kInf, kNaN, 0.5f}),
      Item("\t line\nbreaks ", kEllipse, 1, {3, 90, 8, 8, 0, 360, 1e9f, -1e9f}),
      Item("odd codes", 7, 200, {-0.001953125f, 1234.5678f}),
  });
  const std::optional<TWKFILE> pasted = ItemsFromClipboardText(ItemsToClipboardText(picked));
  ASSERT_TRUE(pasted);
  EXPECT_EQ(Bits(*pasted), Bits(picked));
}

TEST(ItemClipboardTest, ItemsAreWrittenAsTheDocumentFileWritesThem) {
  const TWKFILE picked = Picked({Item("a<b", kRect, 0, {kNaN, 1.5f}), Item("", kLine, 1, {0.1f})});
  const std::string document = DocumentToXml(picked);
  const std::string inner = document.substr(std::strlen("<TWKFILE>"), document.size() - std::strlen("<TWKFILE></TWKFILE>"));
  EXPECT_EQ(ItemsToClipboardText(picked), "<TWKITEMS>" + inner + "</TWKITEMS>");
}

TEST(ItemClipboardTest, TextAndItemCeilingsRefuseWhatGoesOver) {
  const TWKFILE two = Picked({Item("a", kLine, 1, {1}), Item("b", kRect, 1, {2})});
  const std::string text = ItemsToClipboardText(two);
  EXPECT_TRUE(ItemsFromClipboardText(text, {text.size(), 2}));
  EXPECT_FALSE(ItemsFromClipboardText(text, {text.size() - 1, 2}));
  EXPECT_FALSE(ItemsFromClipboardText(text, {text.size(), 1}));
}

TEST(ItemClipboardTest, MalformedTextGivesNothing) {
  const std::string good = ItemsToClipboardText(Picked({Item("a", kLine, 1, {1})}));
  ASSERT_TRUE(ItemsFromClipboardText(good));
  const std::string cases[] = {
      "",
      "items",
      good.substr(0, good.size() - 1),                        // cut short
      good + "<more/>",                                       // a second document element
      good + std::string(7, '\0'),                            // a file's zero fill
      "<TWKITEMS><CData><element></CData></TWKITEMS>",        // crossed tags
      "<TWKITEMS><TWKW>&unknown;</TWKW></TWKITEMS>",          // undefined entity
      "<!DOCTYPE t [<!ENTITY e \"16\">]><TWKITEMS><TWKW>&e;</TWKW></TWKITEMS>",
      std::string("\xFF\xFE<\0T\0/\0>\0", 10),                // UTF-16
      "<TWKITEMS><TWKW>1</TWKW>\xC3</TWKITEMS>",              // broken UTF-8
  };
  for (const std::string& text : cases) EXPECT_FALSE(ItemsFromClipboardText(text)) << text;
}

TEST(ItemClipboardTest, OnlyItsOwnElementHoldsItemsAndNumbersReadAsTheCLibraryReadsThem) {
  const std::string items = "<CData><element><Type>0</Type><Y2>Infinity</Y2><X1>0x1p4</X1></element></CData>";
  const struct {
    std::string text;
    bool taken;
  } cases[] = {
      {"<TWKITEMS>" + items + "</TWKITEMS>", true},
      {"<?xml version=\"1.0\"?><!-- c --><TWKITEMS>" + items + "</TWKITEMS>", true},
      {"<TWKFILE>" + items + "</TWKFILE>", false},
      {"<svg>" + items + "</svg>", false},
      {"<twkitems>" + items + "</twkitems>", false},
  };
  for (const auto& c : cases) {
    const std::optional<TWKFILE> read = ItemsFromClipboardText(c.text);
    ASSERT_EQ(read.has_value(), c.taken) << c.text;
    if (!read) continue;
    ASSERT_EQ(read->CData.size(), 1);
    EXPECT_EQ(read->CData.at(0)->Y2, kInf);
    EXPECT_EQ(read->CData.at(0)->X1, 16.0f);
  }
}

}  // namespace
}  // namespace twk
