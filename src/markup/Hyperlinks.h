#pragma once

#include <string_view>

class FC;
class TextString;

// Recognition of addresses inside one word of escaped text: web, FTP and
// gopher addresses with or without their scheme, bare host names, e-mail
// addresses and USENET newsgroup names. A recogniser that matches fills
// `replacement` with the word in which the address has become an anchor;
// brackets, quotes and trailing punctuation around the address stay outside
// the anchor. `found` is shared by the recognisers of one word: once one has
// matched (set it), the others do nothing.
//
// The caller decides whether the word may be linked at all (the output pass,
// outside the document's own contents list); the recognisers read only the
// "Create ..." policies, "Only use known groups" and "Recognised USENET
// groups".

// Link types, also the codes of the messages the line reports.
namespace LinkType {
inline constexpr int kNone = 0;
inline constexpr int kHttp = 1;
inline constexpr int kEmail = 2;
inline constexpr int kFtp = 3;
inline constexpr int kGopher = 4;
inline constexpr int kNews = 5;
inline constexpr int kWwwHost = 6;         // "www." host linked with "http://"
inline constexpr int kFtpHost = 7;         // "ftp." host linked with "ftp://"
inline constexpr int kGopherHost = 8;      // "gopher." host linked with "gopher://"
inline constexpr int kBareHost = 9;        // host name linked with "ftp://"
inline constexpr int kWwwIgnored = 10;     // "www." word left alone
inline constexpr int kFtpIgnored = 12;     // "ftp." word left alone
inline constexpr int kGopherIgnored = 13;  // "gopher." word left alone
inline constexpr int kNewsIgnored = 14;    // newsgroup-like word left alone
}  // namespace LinkType

// Cuts `address` down to the address a word holds: leading brackets, quotes
// and the texts "&lt;", "URL:", "news:", "HREF=\"" and "mailto:" go, so do
// trailing brackets, punctuation, "'s" and angle entities; a quoted part is
// taken from between its quotes. Returns false, leaving `address` cut, when
// what is left is no address (too short for its scheme, empty, or holding a
// bracket, "!", an angle entity or a quote).
bool ExtractAddress(TextString& address);

// False for a word that no recogniser below links or reports on, whatever
// the policies: one without ":", "/" and "@" that holds no letter, or whose
// only "." ends it (the last word of a sentence) and does not end "www.",
// "ftp." or "gopher.". True for every other word.
bool MayBeLinked(std::string_view word);

// Web, FTP and gopher addresses, with a scheme or starting "www.", "ftp.",
// "gopher.", and bare host names ("a.b.com", "a.b.co.uk"). Returns the link
// type: 1, 3, 4 or 6 to 9 when `replacement` holds the linked word; 10, 12 or
// 13 for a host word not linked (its "http" stands too early or the host too
// late in the word); 0 otherwise.
int RecogniseURL(const FC& policy, const TextString& word, bool& found, TextString& replacement);

// E-mail addresses, also written "mailto:name@host" (the visible "mailto:"
// stays in front of the anchor). Returns 2 when linked, else 0.
int RecogniseEmail(const FC& policy, const TextString& word, bool& found, TextString& replacement);

// Newsgroup names ("comp.lang.cc", "news:alt.x"). Returns 5 when linked, 14
// when the word looks like a group that the policies do not let through
// (`name` then holds it), else 0.
int RecogniseNewsgroup(const FC& policy, const TextString& word, bool& found,
                       TextString& replacement, TextString& name);

// A word of a possible cross-reference without its surrounding punctuation:
// leading "(", "{", "[" and trailing ")", "]", "}", ";", ":", ",", ".", "*"
// and "<BR>" go.
void CleanNumberWord(TextString& number);
