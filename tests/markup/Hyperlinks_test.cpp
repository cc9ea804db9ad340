#include "markup/Hyperlinks.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "policy/FC.h"
#include "text/TextString.h"

namespace {

enum class Recogniser { kUrl, kEmail, kNews };

struct LinkCase {
  Recogniser recogniser;
  const char* word;  // as the escaped line holds it
  int type;
  const char* expected;  // replacement, or the name of type 14; null when none
};

void Check(const FC& policy, const LinkCase& c) {
  const TextString word(c.word);
  bool found = false;
  TextString replacement, name;
  int type = 0;
  if (c.recogniser == Recogniser::kUrl) type = RecogniseURL(policy, word, found, replacement);
  if (c.recogniser == Recogniser::kEmail) type = RecogniseEmail(policy, word, found, replacement);
  if (c.recogniser == Recogniser::kNews) {
    type = RecogniseNewsgroup(policy, word, found, replacement, name);
  }
  EXPECT_EQ(found, !replacement.IsEmpty()) << c.word;
  EXPECT_EQ(type, c.type) << c.word;
  const TextString& out = type == LinkType::kNewsIgnored ? name : replacement;
  EXPECT_EQ(out.View(), c.expected != nullptr ? c.expected : "") << c.word;
}

constexpr Recogniser U = Recogniser::kUrl;
constexpr Recogniser E = Recogniser::kEmail;
constexpr Recogniser N = Recogniser::kNews;

TEST(HyperlinksTest, RecognisesAddressesWithDefaultPolicies) {
  const LinkCase cases[] = {
      // Schemes: punctuation and brackets stay outside the anchor.
      {U, "http://www.ietf.org/rfc.", 1,
       "<A HREF=\"http://www.ietf.org/rfc\">http://www.ietf.org/rfc</A>."},
      {U, "(https://example.org/a?b=c&amp;d=e),", 1,
       "(<A HREF=\"https://example.org/a?b=c&amp;d=e\">https://example.org/a?b=c&amp;d=e</A>),"},
      {U, "URL:ftp://ftp.isi.edu/in-notes/", 3,
       "URL:<A HREF=\"ftp://ftp.isi.edu/in-notes/\">ftp://ftp.isi.edu/in-notes/</A>"},
      {U, "gopher://gopher.tc.umn.edu/", 4,
       "<A HREF=\"gopher://gopher.tc.umn.edu/\">gopher://gopher.tc.umn.edu/</A>"},
      {U, "see:http://example.com/x", 1,
       "see:<A HREF=\"http://example.com/x\">http://example.com/x</A>"},
      {U, "http://a.b/", 0, nullptr},  // shorter than a scheme's minimum
      {U, "\"http://example.com/a\"", 1,
       "\"<A HREF=\"http://example.com/a\">http://example.com/a</A>\""},
      {U, "http://example.com/a\"b\"c\"", 0, nullptr},  // a quote would end the HREF
      {U, "http://example.com's", 1, "<A HREF=\"http://example.com\">http://example.com</A>'s"},
      // Hosts without a scheme, and the position of "http".
      {U, "www.w3.org/TR/", 6, "<A HREF=\"http://www.w3.org/TR/\">www.w3.org/TR/</A>"},
      {U, "www.ietf.org.", 6, "<A HREF=\"http://www.ietf.org/\">www.ietf.org</A>."},
      {U, "ftp.funet.fi", 7, "<A HREF=\"ftp://ftp.funet.fi/\">ftp.funet.fi</A>"},
      {U, "gopher.micro.umn.edu", 8,
       "<A HREF=\"gopher://gopher.micro.umn.edu/\">gopher.micro.umn.edu</A>"},
      {U, "xyzhttpwww.info", 6, "<A HREF=\"http://xyzhttpwww.info/\">xyzhttpwww.info</A>"},
      {U, "xyhttpwww.info", 10, nullptr},                    // "http" in the first three: no host
      {U, "averylongprefix.www.example.info", 10, nullptr},  // "www." starts too late
      {U, "httpftp.example.info", 12, nullptr},
      {U, "www.a.b", 0, nullptr},  // too short to be tried
      // Bare host names.
      {U, "venera.isi.edu", 9, "<A HREF=\"ftp://venera.isi.edu/\">venera.isi.edu</A>"},
      {U, "cs.ucl.ac.uk", 9, "<A HREF=\"ftp://cs.ucl.ac.uk/\">cs.ucl.ac.uk</A>"},
      {U, "example.com", 0, nullptr},     // no third part
      {U, "*.a.x.com", 0, nullptr},       // a pattern of names
      {U, "isi.edu.com.au", 0, nullptr},  // ".edu" first found elsewhere
      {U, "a.b.com.", 0, nullptr},        // ".com" does not end the word
      {U, "user@mail.isi.edu", 0, nullptr},
      // E-mail.
      {E, "postel@isi.edu.", 2, "<A HREF=\"mailto:postel@isi.edu\">postel@isi.edu</A>."},
      {E, "mailto:joe@example.com", 2,
       "mailto:<A HREF=\"mailto:joe@example.com\">joe@example.com</A>"},
      {E, "'joe@example.com'", 2, "'<A HREF=\"mailto:joe@example.com\">joe@example.com</A>'"},
      {E, "joe@example.com/more", 0, nullptr},
      {E, "@example.com", 0, nullptr},
      {E, "joe@localhost", 0, nullptr},
      {E, "to:joe@example.com", 0, nullptr},  // ":" neither at 6 nor at the end
      {E, "mailtx:joe@example.com", 0, nullptr},
      {E, "jo'e@example.com", 0, nullptr},
      // Newsgroups.
      {N, "comp.protocols.tcp-ip", 5,
       "<A HREF=\"news:comp.protocols.tcp-ip\">comp.protocols.tcp-ip</A>"},
      {N, "comp.lang.cc.", 5, "<A HREF=\"news:comp.lang.cc\">comp.lang.cc</A>."},
      {N, "comp.lang.c", 0, nullptr},  // a one-character part
      {N, "news:alt.x", 5, "news:<A HREF=\"news:alt.x\">alt.x</A>"},
      {N, "alt.folklore", 5, "<A HREF=\"news:alt.folklore\">alt.folklore</A>"},
      {N, "foo.barbaz", 14, "foo.barbaz"},              // two parts, not a known hierarchy
      {N, "foo.bar", 14, "foo.bar"},                    // seven characters: never known
      {N, "local.group.talk", 14, "local.group.talk"},  // only known groups
      {N, "1comp.lang.cc", 0, nullptr},
      {N, "comp.2v.talk", 0, nullptr},  // a digit after a dot
      {N, "COMP.LANG.CC", 0, nullptr},  // no lower-case letter
      {N, "document.", 0, nullptr},
  };
  FC policy;
  for (const LinkCase& c : cases) Check(policy, c);
}

TEST(HyperlinksTest, PoliciesSwitchRecognisersAndGroupsOnAndOff) {
  FC policy;
  policy.usenetGroups.Append("foo");
  policy.onlyKnownGroups = 0;
  const LinkCase open[] = {
      {N, "foo.barbaz", 5, "<A HREF=\"news:foo.barbaz\">foo.barbaz</A>"},
      {N, "local.group.talk", 5, "<A HREF=\"news:local.group.talk\">local.group.talk</A>"},
      {N, "bar.bazqux", 14, "bar.bazqux"},
  };
  for (const LinkCase& c : open) Check(policy, c);

  policy.createHyperlinks = 0;
  policy.createMailtoLinks = 0;
  policy.createNewsLinks = 0;
  const LinkCase off[] = {
      {U, "http://www.ietf.org/", 0, nullptr},
      {E, "joe@example.com", 0, nullptr},
      {N, "comp.lang.cc", 0, nullptr},
  };
  for (const LinkCase& c : off) Check(policy, c);
}

TEST(HyperlinksTest, OnlyTheFirstRecogniserOfAWordLinks) {
  FC policy;
  bool found = false;
  TextString replacement, again;
  const TextString word("http://example.com/joe@example.com");
  EXPECT_EQ(RecogniseURL(policy, word, found, replacement), 1);
  EXPECT_EQ(RecogniseEmail(policy, word, found, again), 0);
  EXPECT_TRUE(again.IsEmpty());
}

// A word MayBeLinked turns away must be one that no recogniser links or
// reports on, with every recogniser switched on.
TEST(HyperlinksTest, WordsTurnedAwayAreNeverLinked) {
  FC policy;
  policy.onlyKnownGroups = 0;
  const std::pair<const char*, bool> cases[] = {
      {"end.", false},          {"1.2.3", false},       {"(3.14),", false},
      {"Section.", false},      {"abcdefghwww.", true}, {"abcdefghiFTP.", true},
      {"abcdefghgopher.", true}, {"a.b.com", true},      {"x:y.", true},
      {"e.g.", true},           {"a@b", true},           {"www.ietf.org", true}};
  for (const auto& [text, may] : cases) {
    EXPECT_EQ(MayBeLinked(text), may) << text;
    if (may) continue;
    const TextString word(text);
    bool found = false;
    TextString replacement, name;
    EXPECT_EQ(RecogniseURL(policy, word, found, replacement), 0) << text;
    EXPECT_EQ(RecogniseEmail(policy, word, found, replacement), 0) << text;
    EXPECT_EQ(RecogniseNewsgroup(policy, word, found, replacement, name), 0) << text;
  }
  // Why a final "www." is let through: the word draws a report.
  bool found = false;
  TextString replacement;
  EXPECT_EQ(RecogniseURL(policy, TextString("abcdefghwww."), found, replacement),
            LinkType::kWwwIgnored);
}

TEST(HyperlinksTest, ExtractAddressKeepsTheQuotedOrLongerPart) {
  const char* const kept[][2] = {{"&lt;URL:http://x.org/&gt;", "http://x.org/"},
                                 {"a\"b\"c", "b"},
                                 {"long\"x", "long"},
                                 {"x\"longer", "longer"}};
  for (const auto& row : kept) {
    TextString address(row[0]);
    EXPECT_TRUE(ExtractAddress(address)) << row[0];
    EXPECT_EQ(address.View(), row[1]);
  }
  for (const char* refused : {"ftp.a", "()", "x!y"}) {
    TextString address(refused);
    EXPECT_FALSE(ExtractAddress(address)) << refused;
  }
}

}  // namespace
