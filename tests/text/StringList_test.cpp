#include "text/StringList.h"

#include <gtest/gtest.h>

namespace {

TEST(StringListTest, AddGetSortJoin) {
  StringList list;
  list.Add("b");
  list.Add(TextString("\xE9"));
  list.Add("B");
  list.Add(static_cast<const char*>(nullptr));
  list.Add("a");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Get(5), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  ASSERT_NE(list.Get(3), nullptr);
  EXPECT_STREQ(list.Get(3)->GetText(), "");

  list.Sort();
  TextString joined("old");
  list.Join(joined, "|");
  // Byte order: upper case before lower case, bytes above 0x7F last.
  EXPECT_STREQ(joined.GetText(), "|B|a|b|\xE9");
  list.Join(joined, nullptr);
  EXPECT_STREQ(joined.GetText(), "Bab\xE9");

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  list.Join(joined, ",");
  EXPECT_STREQ(joined.GetText(), "");
}

}  // namespace
