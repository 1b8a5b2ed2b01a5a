#pragma once
// The object archive of portfolio files: a flat little-endian byte stream of scalars,
// length-prefixed strings, counted object arrays and class-tagged objects.
//
// Classes and objects share one index counter per stream (0 is the null reference).
// Texts are UTF-8 in memory and code page 1252 in the stream. The reader trusts no count,
// length or index: each is checked against the bytes that remain before anything is
// allocated or read, and every fault raises an ArchiveException with its kind.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class ArchiveError {
  EndOfStream,      // the stream ends before the item
  UnknownClass,     // a class name that is not registered
  WrongSchema,      // a stored schema number other than the class's
  BadIndex,         // a class or object index that is not (yet) defined
  WrongClass,       // an object of another class than the one required here
  BadString,        // a 16-bit string that code page 1252 cannot hold, or a text to write that it cannot hold
  NullObject,       // a null reference where an object is required
  SharedObject,     // a second reference to an object that is already owned elsewhere
};

class ArchiveException : public std::runtime_error {
 public:
  ArchiveException(ArchiveError error, const std::string& what)
      : std::runtime_error(what), m_error(error) {}
  ArchiveError Error() const { return m_error; }

 private:
  ArchiveError m_error;
};

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

// Class names with their schema numbers and constructors, for reading.
class ClassRegistry {
 public:
  struct Entry {
    std::string name;
    std::uint16_t schema;
    std::function<std::unique_ptr<ArchiveObject>()> create;
  };

  void Add(std::string name, std::uint16_t schema, std::function<std::unique_ptr<ArchiveObject>()> create);
  const Entry* Find(std::string_view name) const;

  // Registers T by its kClassName and kSchema.
  template <typename T>
  void Add() {
    Add(std::string(T::kClassName), T::kSchema, [] { return std::make_unique<T>(); });
  }

 private:
  std::vector<Entry> m_entries;
};

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

  template <typename T>
  void WriteObjectArray(const std::vector<std::unique_ptr<T>>& objects) {
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
      if (!ReadObjectTag(T::kClassName)) throw ArchiveException(ArchiveError::NullObject, "null element in an object array");
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

  struct TableEntry {
    const ClassRegistry::Entry* cls = nullptr;  // set for class entries
    bool isClass = false;
  };

  std::span<const std::uint8_t> m_data;
  const ClassRegistry& m_registry;
  std::size_t m_pos = 0;
  std::vector<TableEntry> m_table;  // index 0 is the null reference
};
