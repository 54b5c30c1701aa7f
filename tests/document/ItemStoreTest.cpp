#include <gtest/gtest.h>

#include "document/ItemStore.h"

namespace twk {
namespace {

// A store holding items named "a", "b", ... in that order.
ItemStore Named(const std::string& names) {
  ItemStore store;
  for (char c : names) {
    TWKDATA item;
    item.Name = std::string(1, c);
    store.append(item);
  }
  return store;
}

std::string Order(const ItemStore& store) {
  std::string out;
  for (int i = 0; i < store.size(); ++i) out += store.at(i)->Name;
  return out;
}

TEST(ItemStore, ReferencesSurviveInsertRemoveAndMove) {
  ItemStore store = Named("abcd");
  TWKDATA* c = store.at(2);
  for (int i = 0; i < 100; ++i) store.insertFront(TWKDATA{});
  EXPECT_EQ(store.at(102), c);
  store.remove(store.at(0));
  EXPECT_EQ(store.indexOf(c), 101);
  EXPECT_EQ(c->Name, "c");
}

TEST(ItemStore, MovesBehindOrInFrontOfTarget) {
  ItemStore store = Named("abcd");
  ASSERT_TRUE(store.moveAfter(store.at(0), store.at(2)));
  EXPECT_EQ(Order(store), "bcad");
  store = Named("abcd");
  ASSERT_TRUE(store.moveBefore(store.at(3), store.at(1)));
  EXPECT_EQ(Order(store), "adbc");
  EXPECT_FALSE(store.moveAfter(store.at(1), store.at(1)));
  TWKDATA stranger;
  EXPECT_FALSE(store.moveAfter(&stranger, store.at(0)));
  EXPECT_FALSE(store.remove(&stranger));
  EXPECT_EQ(Order(store), "adbc");
}

TEST(ItemStore, CopiesAreDeepAndInsertClamps) {
  ItemStore store = Named("ab");
  ItemStore copy = store;
  copy.at(0)->Name = "z";
  EXPECT_EQ(Order(store), "ab");
  EXPECT_EQ(Order(copy), "zb");
  TWKDATA x;
  x.Name = "x";
  store.insert(99, x);
  store.insert(-5, x);
  EXPECT_EQ(Order(store), "xabx");
}

TEST(ItemStore, TakenItemsComeBackAtTheirOwnAddress) {
  ItemStore store = Named("abc");
  TWKDATA* b = store.at(1);
  std::unique_ptr<TWKDATA> taken = store.take(1);
  EXPECT_EQ(taken.get(), b);
  EXPECT_EQ(Order(store), "ac");
  EXPECT_EQ(store.insert(2, std::move(taken)), b);
  EXPECT_EQ(Order(store), "acb");
}

}  // namespace
}  // namespace twk
