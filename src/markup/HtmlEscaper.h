#pragma once

class TextString;

// Makes plain text safe inside an HTML page: every "&" becomes "&amp;", then
// every "<" "&lt;" and every ">" "&gt;". The ampersands go first so that the
// entities made for "<" and ">" are not escaped again; text that already
// reads "&lt;" therefore becomes "&amp;lt;". Returns 1.
int EscapeHtml(TextString& text);
