#include "text/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "text/ErrorReport.h"
#include "text/FileIdentity.h"
#include "text/TextWriter.h"
#include "text/Utf8.h"

namespace {

constexpr char kCtrlZ = 0x1A;

// What a file holds that decides how it is read: whether it has any line
// feed, any carriage return, and where its text ends before a trailing run of
// Ctrl-Z bytes. Leaves the stream at its start.
struct FileShape {
  bool hasLineFeed = false;
  bool hasCarriageReturn = false;
  long long textLength = 0;
};

bool ScanShape(std::FILE* file, FileShape& shape) {
  char buffer[65536];
  long long offset = 0;
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    // Each file is scanned once per pass: a search per block, not a test per byte.
    if (!shape.hasLineFeed) shape.hasLineFeed = std::memchr(buffer, '\n', got) != nullptr;
    if (!shape.hasCarriageReturn) {
      shape.hasCarriageReturn = std::memchr(buffer, '\r', got) != nullptr;
    }
    for (std::size_t end = got; end > 0; --end) {
      if (buffer[end - 1] != kCtrlZ) {
        shape.textLength = offset + static_cast<long long>(end);
        break;
      }
    }
    offset += static_cast<long long>(got);
  }
  if (std::ferror(file)) return false;
  std::rewind(file);
  return true;
}

// Opens `name` for writing, created or emptied. A named pipe with no reader
// fails at once instead of blocking the run until one comes.
std::FILE* OpenForWritingNow(const char* name) {
  const int descriptor =
      open(name, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) return nullptr;
  const int flags = fcntl(descriptor, F_GETFL);
  if (flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int reason = errno;
    close(descriptor);
    errno = reason;
    return nullptr;
  }
  std::FILE* file = fdopen(descriptor, "w");
  if (file == nullptr) {
    const int reason = errno;
    close(descriptor);
    errno = reason;
  }
  return file;
}

}  // namespace

TextFile::TextFile() = default;

TextFile::TextFile(const TextFile* other) {
  if (other == nullptr || other->files_.empty()) return;
  const OpenFile& shared = other->files_.back();
  if (PushFile(shared.stream, shared.name.c_str()) == 0) return;
  isOpen_ = 1;
  isReading_ = false;
}

TextFile::~TextFile() {
  if (isOpen_ != 0) {
    Close();
  } else {
    ResetFiles();
  }
}

void TextFile::Close() {
  while (!files_.empty()) CloseTopFile();
  ResetFiles();
}

int TextFile::OpenForWriting(const char* name) {
  const char* shown = name == nullptr ? "" : name;
  std::FILE* file = nullptr;
  int reason = 0;
  if (name != nullptr && Depth() < kMaxDepth) {
    file = OpenForWritingNow(name);
    reason = errno;
  }
  if (file == nullptr) {
    std::string message = std::string("ERROR: Failed to create file \"") + shown + "\"";
    if (reason != 0) message += std::string(": ") + std::strerror(reason);
    ReportTo(writeFailureSink_, message);
    isOpen_ = 0;
    return 0;
  }
  (void)PushFile(std::make_shared<FileStream>(file, name, writeFailureSink_), name);
  isOpen_ = 1;
  isReading_ = false;
  return 1;
}

void TextFile::SetWriteFailureSink(WriteFailureSink sink) { writeFailureSink_ = std::move(sink); }

int TextFile::OpenForReading(const char* name) {
  return OpenForReadingAbove(name, files_.size());
}

// Opens `name` for reading and pushes it, refusing a file that is already one
// of the lowest `levelsChecked` files of the stack.
int TextFile::OpenForReadingAbove(const char* name, std::size_t levelsChecked) {
  if (name == nullptr || IsOnStack(name, levelsChecked)) return 0;
  if (Depth() >= kMaxDepth || !IsRegularFile(name)) {
    isOpen_ = 0;
    return 0;
  }
  auto stream = std::make_shared<FileStream>(OpenRegularFile(name));
  FileShape shape;
  if (stream->Get() == nullptr || !ScanShape(stream->Get(), shape) || PushFile(stream, name) == 0) {
    isOpen_ = 0;
    return 0;
  }
  OpenFile& file = files_.back();
  file.lineEnd = (shape.hasCarriageReturn && !shape.hasLineFeed) ? '\r' : '\n';
  file.remaining = shape.textLength;
  isOpen_ = 1;
  isReading_ = true;
  return 1;
}

int TextFile::SwitchFile(const char* name) {
  ++switchCount_;
  if (switchCount_ >= kSwitchLimit) return 0;
  if (files_.empty()) return OpenForReading(name);
  // The current file is being replaced, so it does not count as open; a file
  // below it does (it would be read twice).
  const std::size_t below = files_.size() - 1;
  if (OpenForReadingAbove(name, below) == 0) {
    // Reading goes on in the current file.
    isOpen_ = 1;
    return 0;
  }
  OpenFile opened = std::move(files_.back());
  files_.pop_back();
  CloseTopFile();
  files_.push_back(std::move(opened));
  return 1;
}

void TextFile::ResetFiles() {
  files_.clear();
  isOpen_ = 0;
}

void TextFile::CloseTopFile() {
  if (files_.empty()) return;
  if (files_.back().stream != nullptr) files_.back().stream->Close();
  files_.pop_back();
}

int TextFile::PushFile(std::shared_ptr<FileStream> stream, const char* name) {
  if (Depth() >= kMaxDepth) return 0;
  OpenFile file;
  file.name = name == nullptr ? "" : name;
  if (stream != nullptr) file.identified = GetStreamIdentity(stream->Get(), file.identity) != 0;
  file.stream = std::move(stream);
  files_.push_back(std::move(file));
  maxDepth_ = std::max(maxDepth_, Depth());
  return 1;
}

bool TextFile::IsFileOpen(const char* name) const {
  return IsOnStack(name, files_.size());
}

bool TextFile::IsOnStack(const char* name, std::size_t levels) const {
  if (name == nullptr) return false;
  FileIdentity identity;
  const bool identified = GetFileIdentity(name, identity) != 0;
  for (std::size_t i = 0; i < levels && i < files_.size(); ++i) {
    const OpenFile& file = files_[i];
    // A level whose stream could not be identified is matched by spelling.
    if (identified && file.identified ? file.identity == identity : file.name == name) return true;
  }
  return false;
}

bool TextFile::ReadLine() {
  if (!isReading_) return false;
  // The piece is read straight into the free slot after the newest line
  // (the ring has one more slot than it keeps lines).
  const std::size_t slot = Slot(static_cast<std::size_t>(lineCount_));
  if (slot == lines_.size()) lines_.emplace_back();
  if (!ReadLineInto(lines_[slot], newestMayHoldTab_)) return false;
  ++lineCount_;
  if (lineCount_ > kBufferLimit) {
    firstLine_ = Slot(kDiscardCount);
    lineCount_ -= kDiscardCount;
  }
  return true;
}

bool TextFile::ReadLineIntoSlowly(std::string& text, bool& mayHoldTab) {
  text.clear();
  mayHoldTab = false;
  if (!isReading_) return false;
  while (true) {
    if (files_.empty()) return false;
    if (ReadPiece(files_.back(), text, mayHoldTab)) break;
    // The outermost file stays open at its end.
    if (files_.size() < 2) return false;
    CloseTopFile();
  }
  // A text holds no NUL. The piece came whole from the file on top.
  if (files_.back().mayHoldNul && std::memchr(text.data(), '\0', text.size()) != nullptr) {
    std::replace(text.begin(), text.end(), '\0', ' ');
  }
  return true;
}

// Reads the file in large blocks: a byte at a time from the stream was the
// largest cost of reading. False at the end of the text.
bool TextFile::FillBlock(OpenFile& file) {
  if (file.at < file.block.size()) return true;
  file.at = 0;
  if (file.remaining <= 0 || file.stream == nullptr || file.stream->Get() == nullptr) {
    file.block.clear();
    return false;
  }
  constexpr long long kBlockSize = 64 * 1024;
  // The block keeps its size from one full read to the next, so it is not
  // cleared and zero-filled before every read.
  file.block.resize(static_cast<std::size_t>(std::min(file.remaining, kBlockSize)));
  const std::size_t got = std::fread(file.block.data(), 1, file.block.size(), file.stream->Get());
  file.block.resize(got);
  if (got == 0) {
    file.remaining = 0;
    return false;
  }
  file.remaining -= static_cast<long long>(got);
  if (std::memchr(file.block.data(), '\0', got) != nullptr) file.mayHoldNul = true;
  file.blockHoldsTab = std::memchr(file.block.data(), '\t', got) != nullptr;
  return true;
}

int TextFile::NextByte(OpenFile& file) {
  if (!FillBlock(file)) return EOF;
  return static_cast<unsigned char>(file.block[file.at++]);
}

void TextFile::GiveBack(OpenFile& file, std::string_view bytes) {
  file.block.erase(0, file.at);
  file.block.insert(0, bytes);
  file.at = 0;
  if (bytes.find('\t') != std::string_view::npos) file.blockHoldsTab = true;
}

// Reads the next piece of a line of `file` into `text` (without its line
// end). Returns false when the file has no more text.
bool TextFile::ReadPiece(OpenFile& file, std::string& text, bool& tabs) {
  const bool lineFeedEnds = file.lineEnd == '\n';
  auto endLine = [&]() {
    if (lineFeedEnds && !text.empty() && text.back() == '\r') text.pop_back();
    return true;
  };
  if (file.at >= file.block.size() && !FillBlock(file)) return false;
  const std::size_t piece = static_cast<std::size_t>(kPieceLength);
  while (text.size() < piece) {
    // Most lines lie whole in the block already filled.
    if (file.at >= file.block.size() && !FillBlock(file)) return true;
    tabs = tabs || file.blockHoldsTab;
    const char* from = file.block.data() + file.at;
    const std::size_t span = std::min(piece - text.size(), file.block.size() - file.at);
    const void* end = std::memchr(from, file.lineEnd, span);
    if (end != nullptr) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - from);
      text.append(from, length);
      file.at += length + 1;
      return endLine();
    }
    text.append(from, span);
    file.at += span;
  }

  // A full piece: a line that ends right here is still one line.
  const int after = NextByte(file);
  if (after == EOF) return true;
  if (after == file.lineEnd) return endLine();
  if (lineFeedEnds && after == '\r') {
    const int second = NextByte(file);
    if (second == '\n') return true;
    std::string back(1, '\r');
    if (second != EOF) back.push_back(static_cast<char>(second));
    GiveBack(file, back);
    return true;
  }
  // Cut after the last blank, so that a word is not broken in two (a page
  // shows the pieces as separate lines); a piece without one is cut before a
  // multi-byte character that does not fit.
  tabs = tabs || file.blockHoldsTab;
  text.push_back(static_cast<char>(after));
  const std::size_t blank = text.find_last_of(" \t", piece - 1);
  const std::size_t cut = blank != std::string::npos && blank + 1 < text.size()
                              ? blank + 1
                              : Utf8SafeCut(text, static_cast<std::size_t>(kPieceLength));
  GiveBack(file, std::string_view(text).substr(cut));
  text.resize(cut);
  return true;
}

int TextFile::WriteText(const TextString& text) {
  return WriteText(text.GetText());
}

int TextFile::WriteText(const char* text) {
  return ::WriteText(CurrentStream(), text);
}

int TextFile::IsOpen() const {
  return isOpen_;
}

const char* TextFile::GetBufferLine(int n) const {
  if (n < 1 || n > LineCount()) {
    ReportError("ERROR: Invalid LineNumber " + std::to_string(n) + "/" +
                std::to_string(LineCount()) + " in TextFile::GetBufferLine");
    return nullptr;
  }
  return lines_[Slot(static_cast<std::size_t>(n - 1))].c_str();
}

int TextFile::LineCount() const {
  return lineCount_;
}


int TextFile::Depth() const {
  return static_cast<int>(files_.size());
}

int TextFile::MaxDepth() const {
  return maxDepth_;
}

int TextFile::SwitchCount() const {
  return switchCount_;
}

bool TextFile::IsReading() const {
  return isReading_;
}

std::FILE* TextFile::CurrentStream() const {
  if (files_.empty() || files_.back().stream == nullptr) return nullptr;
  return files_.back().stream->Get();
}

const char* TextFile::CurrentFileName() const {
  return files_.empty() ? nullptr : files_.back().name.c_str();
}
