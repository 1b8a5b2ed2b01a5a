#pragma once
// Reads an archive stream. Nothing in the stream is trusted: every count, length and
// index is checked against the bytes that remain before anything is allocated or read.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/ArchiveException.h"
#include "base/ArchiveObject.h"
#include "base/ClassRegistry.h"

class ArchiveReader {
 public:
  ArchiveReader(std::span<const std::uint8_t> data, const ClassRegistry& registry);

  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::int32_t ReadInt32();
  std::uint32_t ReadDword();
  // A text as UTF-8 (converted from code page 1252, or from 16-bit characters).
  std::string ReadString();
  // A text as the bytes in the stream.
  std::string ReadRawString();
  // The element count of an object array; never more than the stream can still hold.
  std::uint32_t ReadCount();
  // Null, or a new object of the class required here (a back-reference is refused:
  // every object of a portfolio has exactly one owner).
  std::unique_ptr<ArchiveObject> ReadObject(std::string_view requiredClass);

  template <typename T>
  std::vector<std::unique_ptr<T>> ReadObjectArray() {
    const std::uint32_t count = ReadCount();
    std::vector<std::unique_ptr<T>> objects;
    objects.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      std::unique_ptr<ArchiveObject> object = ReadObject(T::kClassName);
      if (!object) throw ArchiveException(ArchiveError::NullObject, "null element in an object array");
      objects.emplace_back(static_cast<T*>(object.release()));
    }
    return objects;
  }

  // An object array read into elements held by value.
  template <typename T>
  std::vector<T> ReadValueArray() {
    const std::uint32_t count = ReadCount();
    std::vector<T> objects;
    objects.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (!ReadObjectTag(T::kClassName))
        throw ArchiveException(ArchiveError::NullObject, "null element in an object array");
      objects.emplace_back();
      objects.back().Read(*this);
    }
    return objects;
  }

  // Reads the tag of a new object of the class required here and gives the object its
  // index; the class entry, or nullptr for a null reference. The caller reads the fields.
  const ClassRegistry::Entry* ReadObjectTag(std::string_view requiredClass);

  std::size_t Position() const { return m_pos; }
  std::size_t Remaining() const { return m_data.size() - m_pos; }
  bool AtEnd() const { return m_pos == m_data.size(); }

 private:
  void Require(std::uint64_t bytes) const;
  std::uint32_t ReadLength(bool allowWideMarker, bool& wide);
  std::string ReadWideString(std::uint32_t units);

  // The class that owns an index of the stream's table, or nullptr for an object's index.
  const ClassRegistry::Entry* ClassAt(std::uint64_t index) const;

  struct ClassSlot {
    std::uint64_t index;
    const ClassRegistry::Entry* cls;
  };

  std::span<const std::uint8_t> m_data;
  const ClassRegistry& m_registry;
  std::size_t m_pos = 0;
  // The table of indexes, without an entry per object: a stream holds a handful of classes
  // (kept here by index) and, for a large portfolio, millions of objects, of which only the
  // count matters, since an object may be referred to only once. Index 0 is the null reference.
  std::vector<ClassSlot> m_classes;
  std::uint64_t m_nextIndex = 1;
  // The last class that matched a required class name, so that the names of the elements
  // of a long array are compared once.
  const ClassRegistry::Entry* m_lastMatch = nullptr;
  std::string_view m_lastRequired;
};
