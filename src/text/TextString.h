#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

// TextString is the engine's string: an owned sequence of bytes that never
// holds a NUL (its length is the position of the first NUL of whatever was
// given to it). Every policy value, source line, piece of markup and file
// name is one.
//
// Words, searches and case follow fixed rules the rest of the engine relies
// on: only A-Z and a-z have case (text/CharClass.h), searches through
// LocateText and FindText ignore case, ReplaceText does not.
//
// Errors (a bad offset or length) are written to standard error as one line
// naming the class and operation; standard output is flushed first so a
// combined log keeps its order. Unless an operation says otherwise the object
// is then left unchanged and the operation returns 0 (or false).
//
// Operations that change the text return 1 on success and 0 on failure.
// A pointer returned by GetText or FindText is valid until the next change
// of the same object.
//
// Copying copies the text. The class has virtual operations so that the line
// classes derived from it can be used through it.
class TextString {
 public:
  TextString() = default;
  // A null `s` gives "".
  explicit TextString(const char* s);
  // Takes `s` up to its first NUL.
  explicit TextString(std::string_view s);
  TextString(const TextString&) = default;
  TextString& operator=(const TextString&) = default;
  TextString(TextString&&) noexcept = default;
  TextString& operator=(TextString&&) noexcept = default;
  // Inline, so that the many short-lived texts are destroyed without a call.
  virtual ~TextString() = default;

  // --- Queries -------------------------------------------------------------

  // True if no character is a letter A-Z or a-z.
  virtual bool HasNoLetters() const;
  // True if no character is a letter or a digit 0-9.
  virtual bool HasNoAlphanumerics() const;
  // True if no character is a lower-case letter.
  virtual bool HasNoLowerCase() const;
  // True if no character of the text occurs in `set` (a null set is empty).
  virtual bool HasNoneOf(const char* set) const;

  // Word `n` (counted from 1) of the text, words being separated by
  // `separator`. When `separator` is a blank, a tab separates too and a whole
  // run of blanks and tabs is one separator; any other separator counts once
  // per character, so two adjacent separators enclose an empty word. The
  // first word starts at the very start (leading blanks are not skipped: in
  // "  abc" word 1 is empty and word 2 is "abc"). Returns true and stores the
  // word in `word` if word `n` exists; a word that would start at the end of
  // the text does not exist, and `n` below 1 never does.
  virtual bool GetWord(int n, char separator, TextString& word) const;
  // The same, also storing in `offset` the offset of the word's first
  // character.
  virtual bool GetWord(int n, char separator, TextString& word, int& offset) const;
  // The same, counting words from offset `from` instead of the start;
  // `offset` is counted from `from`. A `from` below 0 or past the end is
  // reported ("ERROR: Invalid substring passed to TextString::GetWord...")
  // and gives false.
  virtual bool GetWord(int from, int n, char separator, TextString& word, int& offset) const;

  // The text, NUL-terminated; never null.
  virtual const char* GetText() const;

  // Case-insensitive search of the whole text. Returns a pointer to the first
  // character of the first occurrence, or null (also for an empty pattern or
  // an empty text).
  virtual const char* FindText(const char* s) const;
  virtual const char* FindText(const TextString& s) const;

  // Case-insensitive search from offset `start`. Returns true and the offset
  // of the first match (from the beginning of the text) in `position`;
  // otherwise false and -1. A `start` below 0 or past the end is reported.
  bool LocateText(int start, const char* s, int& position) const;

  // True if both texts have the same length and the same bytes; with
  // `caseSensitive` false a letter also matches its other case.
  bool IsEqual(const TextString& other, bool caseSensitive) const;

  // Reads a number written in `style` into `value` (-1 when there is none):
  //  '1'      decimal: non-digits at both ends are skipped, the rest must be
  //           digits and fit in an int;
  //  'a', 'A' the first letter's place in the alphabet (a = 1 ... z = 26);
  //  'i', 'I' roman numerals 1 to 89 (x, l, v, i in either case); always
  //           true, 0 when no numeral is found.
  // Returns false for any other style or when no number is found.
  bool GetNumberValue(char style, int& value) const;

  // Number of bytes. Inline, as are the other small calls every line makes.
  int Length() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  std::string_view View() const { return text_; }
  // The byte at `index`, or '\0' outside 0 to Length()-1.
  char At(int index) const;

  // --- Editing -------------------------------------------------------------

  // Replaces the text by a copy of `s`; a null `s` gives "".
  int SetText(const char* s);
  // Replaces the text by `s` up to its first NUL.
  int SetText(std::string_view s);
  // Replaces the text by up to `length` characters of `source` from `start`
  // (cut to what `source` holds; `source` may be this object). Needs no NUL
  // search, which makes cutting words out of a line cheap.
  // Inline: writers cut a piece of a line this way many times per line.
  int SetPart(const TextString& source, std::size_t start, std::size_t length) {
    if (&source == this) return SetOwnPart(start, length);
    // Another text is appended to the emptied store: assign's general
    // replace, which allows for overlap, costs more than the copy itself.
    const std::size_t from = std::min(start, source.text_.size());
    text_.clear();
    text_.append(source.text_.data() + from, std::min(length, source.text_.size() - from));
    return 1;
  }
  // Takes the text of `s`, each NUL becoming a blank, and leaves the old text
  // in `s`: a reader keeps both stores instead of copying every line.
  int TakeText(std::string& s);
  // Appends `s`; a null `s` changes nothing and still returns 1.
  int AppendText(const char* s);
  // Appends `s` up to its first NUL.
  int AppendText(std::string_view s);
  // Appends `s` whole, without the search for a NUL, for a text known to
  // hold none (a line a TextFile read). Requires: `s` holds no NUL.
  int AppendClean(std::string_view s);
  // Exchanges the text with `s`, without the search for a NUL: a reader
  // hands over a line it has just read and gets an old store back.
  // Requires: `s` holds no NUL.
  int SwapClean(std::string& s);
  // Appends one character; a NUL is refused (returns 0).
  int AppendChar(char c);
  // Appends the decimal form of `value`, then one blank if `addBlank`.
  int AppendNumber(int value, bool addBlank);
  // Text becomes "".
  int Clear() {
    text_.clear();
    return 1;
  }
  // Removes leading and trailing blanks and tabs (only those two).
  int Trim();
  // Between the first and the last character that is neither blank nor tab,
  // every blank followed by a blank is removed. Leading and trailing blanks
  // and tabs, and all tabs, are kept.
  int CollapseBlanks();
  // Substring(start, length) for a range known to lie within the text,
  // inline and unchecked: lines are trimmed this way. Requires: start +
  // length <= Length().
  void KeepRange(std::size_t start, std::size_t length) {
    // In place: a copy would allocate, and erase costs more than the move.
    if (start > 0) std::memmove(text_.data(), text_.data() + start, length);
    text_.resize(length);
  }
  // Keeps the first `length` characters; no change if the text is not
  // longer. A negative `length` changes nothing and gives 0.
  int Truncate(int length);
  // Keeps `length` characters from `start`. A `start` past the end is
  // reported and gives 0. A negative `length` is reported and taken as 0; a
  // `start` + `length` past the end is reported and cut to the end (both go
  // on and return 1). A `start` equal to the length gives "".
  // Requires: start >= 0.
  int Substring(int start, int length);
  // Inserts `s` before character `position` (clamped to 0 to the length).
  int InsertText(int position, const char* s);
  // Replaces `length` characters from `start` (clamped to what remains) by
  // `s`. A `start` below 0 or past the end is reported and gives 0.
  int ReplaceSubString(int start, int length, const char* s);
  // ReplaceText(0, find, with, maxCount).
  int ReplaceText(const char* find, const char* with, int maxCount);
  // Replaces, case-sensitively, occurrences of `find` at or after `start` by
  // `with` (null = ""), at most `maxCount` of them (0 or less = all). The scan resumes after each
  // inserted `with`, which is never scanned again. An empty `find` gives 0
  // and no change; a `start` below 0 or past the end is reported and gives 0.
  int ReplaceText(int start, const char* find, const char* with, int maxCount);

 private:
  // SetPart of this text itself.
  int SetOwnPart(std::size_t start, std::size_t length);

  // The reader of whole lines reads a line straight into an empty text: a
  // copy or a swap would cost more than the read itself.
  friend class LineFile;

  std::string text_;
};
