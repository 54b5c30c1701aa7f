// Inserting and removing many elements in one pass gives what doing it one
// element at a time gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/IndexSplice.h"

namespace twk {
namespace {

std::vector<std::string> Letters(int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(std::string(1, static_cast<char>('a' + i)));
  return out;
}

struct Case {
  int size;
  std::vector<int> indices;
};

const Case kCases[] = {
    {0, {0, 1, 2}},          // into nothing
    {5, {0, 1, 2}},          // a run at the front
    {5, {5, 6}},             // appended
    {5, {1, 3, 6}},          // scattered
    {5, {0, 6}},             // both ends
    {3, {4, 9}},             // past the end: appended
    {6, {2}},                // one
    {4, {}},                 // none
};

TEST(IndexSpliceTest, InsertingAllAtOnceEqualsOneByOneLowestFirst) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.indices));
    std::vector<std::string> expected = Letters(c.size);
    std::vector<std::pair<int, std::string>> incoming;
    for (int index : c.indices) {
      const std::string value = "new" + std::to_string(index);
      expected.insert(expected.begin() + std::min<int>(index, static_cast<int>(expected.size())), value);
      incoming.emplace_back(index, value);
    }
    std::vector<std::string> actual = Letters(c.size);
    InsertAtIndices(actual, std::move(incoming));
    EXPECT_EQ(actual, expected);
  }
}

TEST(IndexSpliceTest, TakingAllAtOnceEqualsOneByOneHighestFirst) {
  for (const Case& c : kCases) {
    std::vector<int> indices;
    for (int index : c.indices) {
      if (index < c.size) indices.push_back(index);
    }
    SCOPED_TRACE(testing::PrintToString(indices));
    std::vector<std::string> expectedRest = Letters(c.size);
    std::vector<std::string> expectedTaken;
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
      expectedTaken.insert(expectedTaken.begin(), expectedRest[*it]);
      expectedRest.erase(expectedRest.begin() + *it);
    }
    std::vector<std::string> rest = Letters(c.size);
    EXPECT_EQ(TakeAtIndices(rest, indices), expectedTaken);
    EXPECT_EQ(rest, expectedRest);
  }
}

}  // namespace
}  // namespace twk
