#pragma once

class TextString;

// Typewriter emphasis: a character overstruck by itself (c, backspace, c) is
// bold, a character overstruck by an underscore ("_", backspace, c or c,
// backspace, "_") is underlined.

// Rebuilds one overstruck word. With no backspace nothing happens. Otherwise
// the backspaces are counted: U1 preceded by "_", U2 followed by "_", S with
// the same character on both sides. Underline when U1 >= 1, U1 > S and
// U1 > U2, or when U2 >= 1 and U2 > S; else bold when S > 0. Each
// character-backspace-character triple becomes the character that is not
// the underscore (for bold, the character itself). Returns 1 and fills
// `replacement` with "<U>" ... "</U>" or "<B>" ... "</B>" when the word is
// overstruck, else 0.
int MarkOverstrike(const TextString& word, TextString& replacement);

// Joins the words of a line that were overstruck one by one into phrases:
// every "</U> <U>" and every "</B> <B>" becomes a single blank. Returns 1.
int JoinOverstruckWords(TextString& text);
