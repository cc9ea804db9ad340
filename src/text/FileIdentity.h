#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Which file a name or a stream refers to, by device and inode: two names are
// the same file when their identities are equal, whatever their spelling
// (symbolic links are followed).
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Fills `identity` for the file `name` names. Returns 1, or 0 when there is
// no such file (or `name` is null).
[[nodiscard]] int GetFileIdentity(const char* name, FileIdentity& identity);
// The same for an open stream; 0 for a null stream.
[[nodiscard]] int GetStreamIdentity(std::FILE* stream, FileIdentity& identity);
// True when `name` names a regular file (not a directory, device, FIFO or
// socket). Only regular files are opened for reading.
bool IsRegularFile(const char* name);

// Opens `name` for reading in binary mode when it is a regular file; null
// otherwise. A FIFO or device is never opened (opening a FIFO waits for a
// writer), not even one put in the file's place after it was checked.
std::FILE* OpenRegularFile(const char* name);

// True when `name` is a regular file that can be opened for reading.
bool IsReadableRegularFile(const char* name);

// What the existing file `name` is when it is not a regular file, to follow
// "it is ": "a directory", "a named pipe", "a device" or "not a regular file"
// (a socket); empty for a regular file or no file at all.
std::string NotRegularKind(const char* name);

// Why the file `name` cannot be read, as a suffix for a "can't open"
// message: ": it is a directory", ": it is a named pipe", ": it is a
// device", ": it is not a regular file" (a socket) or ": it cannot be read"
// (found by opening it); empty when there is no such file (the message says all)
// or when nothing is wrong with it.
std::string ReadProblem(const char* name);
