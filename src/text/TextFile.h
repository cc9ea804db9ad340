#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/FileIdentity.h"
#include "text/FileStream.h"
#include "text/TextString.h"

// A text file read or written line by line through a stack of open files:
// opening a second file for reading while one is open nests it (an include),
// and reading returns to the file below when the nested one ends. The most
// recently read lines are kept in a buffer and fetched by number.
//
// Lines end at a line feed; a carriage return directly before it is dropped.
// A file holding carriage returns and no line feed at all uses the carriage
// return as line end. A run of Ctrl-Z bytes at the very end of a file marks
// its end and is not text. Lines longer than kPieceLength arrive in pieces of
// at most that many bytes, cut after the last blank or tab of a piece so that
// no word is broken, and never inside a UTF-8 sequence. A NUL byte is
// read as a blank (a text cannot hold one). Written lines end with a line
// feed.
//
// Only regular files are opened for reading. Whether a file is already on the
// stack is decided by device and inode, not by the spelling of its name.
//
// Each stack level holds its stream through a shared FileStream; the sharing
// constructor lets two objects write to one stream.
class TextFile {
 public:
  // Longest piece of a line ReadLine delivers, in bytes. Every line the
  // engine handles is bounded by it, whatever the input holds; longer lines
  // arrive in pieces, as they always have.
  static constexpr int kPieceLength = 1023;
  // Deepest nesting of open files: an include chain deeper than this is an
  // error in the document, and a bound keeps a runaway chain from exhausting
  // file handles.
  static constexpr int kMaxDepth = 256;
  // The line buffer keeps at most kBufferLimit lines; when it overflows, the
  // oldest kDiscardCount lines are dropped at once, so that the cost of
  // shifting is paid once every 90 lines.
  static constexpr int kBufferLimit = 100;
  static constexpr int kDiscardCount = 90;
  // SwitchFile refuses from this use on, for the life of the object, so that
  // files switching to one another cannot loop forever.
  static constexpr int kSwitchLimit = 10;

  // Nothing open, empty buffer.
  TextFile();
  // If `other` is given and has a file open, this object's only file is
  // `other`'s current file (same name, same stream), open for writing: both
  // objects then write to one stream.
  explicit TextFile(const TextFile* other);
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  // Closes every file on the stack if the last open succeeded; otherwise lets
  // go of them (a stream that no other object holds is closed).
  virtual ~TextFile();

  // Closes every file on the stack.
  virtual void Close();
  // Opens `name` for writing (created or emptied) and pushes it. On failure
  // reports "ERROR: Failed to create file \"<name>\": <reason>", pushes
  // nothing and returns 0. A file that cannot be written whole is removed
  // when it closes, and reported (see FileStream).
  // Reports go to the write failure sink, or to standard error without one.
  [[nodiscard]] virtual int OpenForWriting(const char* name);
  // Opens the regular file `name` for reading and pushes it: lines come from
  // it until its end, then from the file below. Returns 0, silently and with
  // the stack unchanged, when `name` is already on the stack, is not a
  // regular file, cannot be opened, or the stack is full.
  [[nodiscard]] virtual int OpenForReading(const char* name);
  // Where the reports of files opened for writing from now on go.
  void SetWriteFailureSink(WriteFailureSink sink);
  // Replaces the current file by `name`: the new file is opened first and
  // only then the current one closed, so a failed switch leaves reading in
  // the current file. Returns 0 (nothing changed) when the open fails, when
  // `name` is open below the current file, or from the kSwitchLimit-th use.
  [[nodiscard]] virtual int SwitchFile(const char* name);
  // Forgets every file without closing its stream (a stream that no other
  // object holds is closed).
  virtual void ResetFiles();
  // Closes the current file's stream (for every holder) and pops it; nothing
  // when no file is open.
  virtual void CloseTopFile();
  // Pushes `stream` under `name` (null = "") as the current file. Returns 0
  // when the stack already holds kMaxDepth files.
  [[nodiscard]] virtual int PushFile(std::shared_ptr<FileStream> stream, const char* name);
  // True if the file `name` names is on the stack (same device and inode).
  virtual bool IsFileOpen(const char* name) const;
  // Reads the next line into the buffer. Returns false when nothing is open
  // for reading or the outermost file has ended (it stays open).
  virtual bool ReadLine();
  // Reads the next line as ReadLine does, but into `text` (emptied first)
  // and not into the buffer, which stays as it was; `mayHoldTab` becomes
  // false when the line is known to hold no tab.
  bool ReadLineInto(std::string& text, bool& mayHoldTab) {
    return TakeBufferedLine(text, mayHoldTab) || ReadLineIntoSlowly(text, mayHoldTab);
  }
  // Writes `text` and a line feed to the current file. Returns 0 if no file
  // is open or the write failed.
  virtual int WriteText(const TextString& text);
  virtual int WriteText(const char* text);
  // The result of the last open (1 also after the sharing constructor).
  virtual int IsOpen() const;

  // The text of buffered line `n`, 1 being the oldest line still buffered and
  // LineCount() the newest. Outside that range writes "ERROR: Invalid
  // LineNumber <n>/<count> in TextFile::GetBufferLine" to standard error and
  // returns null. Valid until the next ReadLine.
  const char* GetBufferLine(int n) const;

  // Number of lines in the buffer.
  int LineCount() const;
  // The newest buffered line (it holds no NUL). Requires: LineCount() > 0.
  std::string_view NewestLine() const {
    return lines_[Slot(static_cast<std::size_t>(lineCount_ - 1))];
  }
  // False when the newest line is known to hold no tab: every block it was
  // read from held none.
  bool NewestMayHoldTab() const { return newestMayHoldTab_; }
  // Number of files on the stack, and the most there ever were.
  int Depth() const;
  int MaxDepth() const;
  int SwitchCount() const;
  // True once a file has been opened for reading (and none for writing since).
  bool IsReading() const;
  // The current file's stream, or null when nothing is open (or it was closed
  // through another holder). Not owned.
  std::FILE* CurrentStream() const;
  // The name the current file was opened under, or null when nothing is open.
  const char* CurrentFileName() const;

 private:
  struct OpenFile {
    std::shared_ptr<FileStream> stream;
    std::string name;
    bool identified = false;
    FileIdentity identity;
    // Reading state: the line end of this file, the bytes still to read
    // from the stream before its end mark, and the block read from it (with
    // bytes given back), read up to `at`.
    char lineEnd = '\n';
    long long remaining = 0;
    std::string block;
    std::size_t at = 0;
    // Set once a block read from the file held a NUL: until then no line
    // needs searching for one.
    bool mayHoldNul = false;
    // Whether the block, as it stands, holds a tab.
    bool blockHoldsTab = false;
  };

  // ReadLineInto for a line that ends inside the block already read from the
  // file on top (nearly every line): inline, it takes no call but the search.
  // False, with nothing read, for any other line.
  bool TakeBufferedLine(std::string& text, bool& mayHoldTab);
  bool ReadLineIntoSlowly(std::string& text, bool& mayHoldTab);
  int OpenForReadingAbove(const char* name, std::size_t levelsChecked);
  bool IsOnStack(const char* name, std::size_t levels) const;
  static bool FillBlock(OpenFile& file);
  static int NextByte(OpenFile& file);
  static void GiveBack(OpenFile& file, std::string_view bytes);
  // Sets `tabs` when a block the piece came from holds a tab.
  static bool ReadPiece(OpenFile& file, std::string& text, bool& tabs);
  // The ring slot of the `index`-th buffered line (0 the oldest).
  // Requires: index <= kBufferLimit. A subtraction, not a division: this runs
  // for every line read.
  std::size_t Slot(std::size_t index) const {
    constexpr std::size_t kSlots = kBufferLimit + 1;
    const std::size_t slot = firstLine_ + index;
    return slot < kSlots ? slot : slot - kSlots;
  }

  std::vector<OpenFile> files_;
  int maxDepth_ = 0;
  int isOpen_ = 0;
  bool isReading_ = false;
  int switchCount_ = 0;
  // The buffered lines, a ring of kBufferLimit + 1 slots filled as lines
  // come: dropping lines only moves `firstLine_`, every slot keeps its
  // storage for later reads, and a line is read into its slot: reading a
  // line neither allocates nor moves nor copies lines.
  std::vector<std::string> lines_;
  std::size_t firstLine_ = 0;
  int lineCount_ = 0;
  bool newestMayHoldTab_ = true;
  WriteFailureSink writeFailureSink_;
};

// The first step of ReadPiece, for a block that holds the line end within a
// piece's length and holds no NUL: what it reads is the whole line.
inline bool TextFile::TakeBufferedLine(std::string& text, bool& mayHoldTab) {
  if (!isReading_ || files_.empty()) return false;
  OpenFile& file = files_.back();
  if (file.at >= file.block.size() || file.mayHoldNul) return false;
  const char* from = file.block.data() + file.at;
  const std::size_t span =
      std::min(static_cast<std::size_t>(kPieceLength), file.block.size() - file.at);
  // A blank line, a common one, needs no search.
  const void* end = *from == file.lineEnd ? from : std::memchr(from, file.lineEnd, span);
  if (end == nullptr) return false;
  std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - from);
  file.at += length + 1;
  if (file.lineEnd == '\n' && length > 0 && from[length - 1] == '\r') --length;
  text.clear();
  text.append(from, length);
  mayHoldTab = file.blockHoldsTab;
  return true;
}
