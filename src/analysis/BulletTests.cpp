#include "analysis/BulletTests.h"

#include <algorithm>
#include <string_view>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/CharClass.h"

namespace {

// The bullet characters the calculation (or a policy file) settled on.
bool IsPolicyBulletChar(const FC& policy, char c) {
  if (c == '-' && policy.dashBullets) return true;
  if (c == 'o' && policy.circleBullets) return true;
  if (!policy.otherBulletsUsed) return false;
  const int count = std::min(policy.otherBulletCount, FC::kMaxOtherBullets);
  for (int i = 0; i < count; ++i) {
    if (policy.otherBullets[i] == c) return true;
  }
  return false;
}

std::string_view FirstWord(std::string_view text) {
  return text.substr(0, text.find(' '));
}

int TestBulletCharacter(std::string_view text, const FC& policy, DocumentStatistics& statistics) {
  if (!policy.IsOutputPass()) {
    if (text.starts_with("- ") && text.find("- -") == std::string_view::npos) {
      ++statistics.dashBullets;
      statistics.bulletChars.Add('-');
      return LineType::kBulletChar;
    }
    if (text.starts_with("o ") || text.starts_with("O ")) {
      ++statistics.circleBullets;
      statistics.bulletChars.Add('o');
      return LineType::kBulletChar;
    }
    return 0;
  }
  if (text.size() >= 2 && text[1] == ' ' && IsPolicyBulletChar(policy, text[0])) {
    return LineType::kBulletChar;
  }
  return 0;
}

bool IsRomanLetter(char c) {
  const char l = ToLower(c);
  return l == 'i' || l == 'v' || l == 'x';
}

// "1." "(12)" "[a]" "iv)": a number, a letter or a roman numeral, closed by
// ')', '.' or ']'.
int TestEnumerated(std::string_view word, const FC& policy, DocumentStatistics& statistics) {
  if (word.empty()) return 0;
  const char close = word.back();
  if (close != ')' && close != '.' && close != ']') return 0;
  while (!word.empty() && (word.front() == '(' || word.front() == '{' || word.front() == '[')) {
    word.remove_prefix(1);
  }
  while (!word.empty() &&
         (word.back() == ')' || word.back() == '}' || word.back() == ']' || word.back() == '.')) {
    word.remove_suffix(1);
  }
  if (word.empty() || !std::all_of(word.begin(), word.end(), IsAlphanumeric)) return 0;

  if (std::all_of(word.begin(), word.end(), IsDigit)) {
    if (word.size() > 2) return 0;
    ++statistics.numberedBullets;
    return policy.numberedBullets ? LineType::kNumberedBullet : 0;
  }
  if (policy.romanBullets && std::all_of(word.begin(), word.end(), IsRomanLetter)) {
    ++statistics.romanBullets;
    return std::all_of(word.begin(), word.end(), IsUpper) ? LineType::kUpperRomanBullet
                                                          : LineType::kLowerRomanBullet;
  }
  if (word.size() == 1 && IsLetter(word[0]) && policy.alphabeticBullets) {
    ++statistics.alphabeticBullets;
    return IsUpper(word[0]) ? LineType::kUpperAlphaBullet : LineType::kLowerAlphaBullet;
  }
  return 0;
}

}  // namespace

bool IsBulletChar(const FC& policy, char c) {
  if (policy.analysisPass) return true;
  return c == '-' || IsPolicyBulletChar(policy, c);
}

int TestBullet(const SourceLine& line, const FC& policy, DocumentStatistics& statistics) {
  if (!policy.bulletsExpected) return 0;
  // A list item stands near the text margin; one far right of the last
  // indent position is part of a layout.
  const int positions = std::min(policy.indentCount, FC::kMaxPositions);
  if (policy.IsOutputPass() && positions > 0 &&
      line.indent > policy.indentPositions[positions - 1] + 6) {
    return 0;
  }
  const std::string_view text = line.View();
  if (const int type = TestBulletCharacter(text, policy, statistics); type != 0) return type;
  return TestEnumerated(FirstWord(text), policy, statistics);
}
