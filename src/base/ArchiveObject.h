#pragma once
// The object archive of portfolio files: a flat little-endian byte stream of scalars,
// length-prefixed strings, counted object arrays and class-tagged objects.
//
// Classes and objects share one index counter per stream (0 is the null reference).
// Texts are UTF-8 in memory and code page 1252 in the stream. The reader trusts no count,
// length or index: each is checked against the bytes that remain before anything is
// allocated or read, and every fault raises an ArchiveException with its kind.

#include <cstdint>
#include <string_view>

class ArchiveWriter;
class ArchiveReader;

// A class that is written as a tagged object.
class ArchiveObject {
 public:
  virtual ~ArchiveObject() = default;
  // A name with static storage (the writer keeps the view).
  virtual std::string_view ClassName() const = 0;
  virtual std::uint16_t Schema() const { return 1; }
  virtual void Write(ArchiveWriter& archive) const = 0;
  virtual void Read(ArchiveReader& archive) = 0;
};
