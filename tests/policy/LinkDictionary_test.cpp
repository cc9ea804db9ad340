#include <gtest/gtest.h>

#include <string>

#include "PolicyFileTestSupport.h"

namespace {

std::string Definitions(const FC& policy) {
  std::string out;
  for (const LinkDefinition& d : policy.linkDefinitions) {
    out += Str(d.matchText) + "|" + Str(d.linkText) + "|" + Str(d.url) + ";";
  }
  return out;
}

TEST(LinkDictionaryTest, AddKeepsOrderAndSkipsExactDuplicates) {
  FC policy;
  EXPECT_EQ(policy.AddLinkDefinition("b", "B", "b.htm"), 1);
  EXPECT_EQ(policy.AddLinkDefinition("a", "A", "a.htm"), 1);
  EXPECT_EQ(policy.AddLinkDefinition("b", "B", "b.htm"), 1);
  EXPECT_EQ(policy.AddLinkDefinition("B", "B", "b.htm"), 1);
  EXPECT_EQ(policy.AddLinkDefinition("b", "B", "other.htm"), 1);
  EXPECT_EQ(policy.AddLinkDefinition(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(Definitions(policy), "b|B|b.htm;a|A|a.htm;B|B|b.htm;b|B|other.htm;||;");
  EXPECT_FALSE(policy.IsGiven(Policy::LinkDictionary));
}

TEST(LinkDictionaryTest, WritesOneLinePerDefinition) {
  TempDir dir;
  FC policy;
  policy.AddLinkDefinition("policy file", "policy files", "policy.htm");
  policy.AddLinkDefinition("", "", "");
  const std::string path = dir.Path("links.pol");
  {
    LineFile file;
    ASSERT_EQ(file.OpenForWriting(path.c_str()), 1);
    EXPECT_EQ(policy.WriteLinkDefinitions(file), 1);
  }
  EXPECT_EQ(ReadAll(path),
            "Link definition: \"policy file\" = \"policy files\" + \"policy.htm\"\n"
            "Link definition: \"\" = \"\" + \"\"\n");
  LineFile closed;
  EXPECT_EQ(policy.WriteLinkDefinitions(closed), 0);
}

}  // namespace
