#pragma once
// Writes an archive stream: scalars little-endian, texts in code page 1252, objects with
// class tags and back-references through one index counter.

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/ArchiveException.h"
#include "base/ArchiveObject.h"

class ArchiveWriter {
 public:
  void WriteByte(std::uint8_t value);
  void WriteWord(std::uint16_t value);
  void WriteInt32(std::int32_t value);
  void WriteDword(std::uint32_t value);
  // A UTF-8 text, stored in code page 1252; throws BadString if the code page lacks a character.
  void WriteString(std::string_view utf8);
  // A text that is already in code page 1252.
  void WriteRawString(std::string_view bytes);
  void WriteCount(std::uint64_t count);
  // Null, a reference to an object written before, or a new object with its class tag.
  void WriteObject(const ArchiveObject* object);

  // An object array of owned elements (unique or shared pointers).
  template <typename Pointer>
  void WriteObjectArray(const std::vector<Pointer>& objects) {
    WriteCount(objects.size());
    for (const auto& object : objects) WriteOwnedObject(object.get());
  }

  // An object array of elements held by value (each element still is a tagged object).
  template <typename T>
  void WriteValueArray(const std::vector<T>& objects) {
    WriteCount(objects.size());
    for (const T& object : objects) WriteOwnedObject(&object);
  }

  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
  std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

 private:
  void WriteIndexTag(std::uint32_t index, bool isClass);
  // An element of an owning array: written once, so it needs no entry for back-references.
  void WriteOwnedObject(const ArchiveObject* object);
  void WriteNewObject(const ArchiveObject& object);

  std::vector<std::uint8_t> m_bytes;
  // Class names are the classes' static names: a handful, searched in order.
  std::vector<std::pair<std::string_view, std::uint32_t>> m_classIndex;
  std::unordered_map<const ArchiveObject*, std::uint32_t> m_objectIndex;
  std::uint32_t m_nextIndex = 1;
};
