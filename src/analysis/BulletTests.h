#pragma once

#include <cstddef>
#include <string_view>

class DocumentStatistics;
class FC;
class SourceLine;

// Whether `c` may introduce a list item on its own ("* item", "+ item"):
// any character while the analysis pass gathers candidates; afterwards '-'
// or one of the bullet characters of `policy`.
bool IsBulletChar(const FC& policy, char c);

// The list item that the first word of `line` opens: LineType::kBulletChar
// for a bullet character and a blank ("- item", "o item"), one of the
// enumerated kinds (211 to 215) for "1." "(2)" "a)" "iv." "B]", or 0.
//
// Outside the output pass every candidate is counted into `statistics`
// (bullet characters also into "Bullet Chars"); the enumerated kinds are
// counted in every pass and returned only when `policy` expects them.
int TestBullet(const SourceLine& line, const FC& policy, DocumentStatistics& statistics);

// False only for a line that TestBullet rejects without counting anything:
// no ' ' stands second in `text`, and its first word (up to the first ' ')
// does not end in ')', '.' or ']'. `wordEnd` is where the first word ends
// at a blank, a tab or the end; after a tab the answer is true.
// Inline: every line is asked, and almost none can open an item.
inline bool MayOpenListItem(std::string_view text, std::size_t wordEnd) {
  if (text.size() >= 2 && text[1] == ' ') return true;
  if (wordEnd == 0 || wordEnd > text.size() || (wordEnd < text.size() && text[wordEnd] != ' ')) {
    return true;
  }
  const char close = text[wordEnd - 1];
  return close == ')' || close == '.' || close == ']';
}
