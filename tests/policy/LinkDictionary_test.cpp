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
  policy.AddLinkDefinition("b", "B", "b.htm");
  policy.AddLinkDefinition("a", "A", "a.htm");
  policy.AddLinkDefinition("b", "B", "b.htm");
  policy.AddLinkDefinition("B", "B", "b.htm");
  policy.AddLinkDefinition("b", "B", "other.htm");
  policy.AddLinkDefinition(nullptr, nullptr, nullptr);
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
