#include "policy/WordList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Joined(const WordList& list) { return std::string(list.Join("|").View()); }

TEST(WordListTest, AppendsEveryWordInOrder) {
  WordList list;
  list.AppendWords(TextString("comp.lang  alt\tcomp.lang"), ' ');
  EXPECT_EQ(Joined(list), "comp.lang|alt|comp.lang");
  list.AppendWords(TextString("x,,y"), ',');
  EXPECT_EQ(Joined(list), "comp.lang|alt|comp.lang|x||y");
  EXPECT_EQ(list.Get(6), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(WordListTest, FindsIgnoringCase) {
  WordList list;
  list.AppendWords(TextString("Intro Appendix"), ' ');
  EXPECT_EQ(list.Find("APPENDIX"), 1);
  EXPECT_EQ(list.Find("intro"), 0);
  EXPECT_EQ(list.Find("Append"), -1);
  EXPECT_EQ(list.Find(""), -1);
}

TEST(WordListTest, AppendsAnotherListAndItself) {
  WordList a;
  a.AppendWords(TextString("one two"), ' ');
  WordList b;
  b.Append("zero");
  b.AppendList(a);
  EXPECT_EQ(Joined(b), "zero|one|two");
  b.AppendList(b);
  EXPECT_EQ(Joined(b), "zero|one|two|zero|one|two");
  b.Clear();
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(Joined(b), "");
}

}  // namespace
