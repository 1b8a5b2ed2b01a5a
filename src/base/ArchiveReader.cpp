#include "base/ArchiveReader.h"

#include <algorithm>

#include "base/ArchiveTags.h"
#include "base/Cp1252.h"

using namespace archive_tags;

namespace {

[[noreturn]] void Fail(ArchiveError error, const std::string& what) {
  throw ArchiveException(error, what);
}

}  // namespace

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> data, const ClassRegistry& registry)
    : m_data(data), m_registry(registry) {}

void ArchiveReader::Require(std::uint64_t bytes) const {
  if (bytes > Remaining()) Fail(ArchiveError::EndOfStream, "unexpected end of the archive");
}

std::uint8_t ArchiveReader::ReadByte() {
  Require(1);
  return m_data[m_pos++];
}

std::uint16_t ArchiveReader::ReadWord() {
  Require(2);
  const auto value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
  m_pos += 2;
  return value;
}

std::uint32_t ArchiveReader::ReadDword() {
  Require(4);
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | m_data[m_pos + static_cast<std::size_t>(i)];
  m_pos += 4;
  return value;
}

std::int32_t ArchiveReader::ReadInt32() {
  return static_cast<std::int32_t>(ReadDword());
}

std::uint32_t ArchiveReader::ReadLength(bool allowWideMarker, bool& wide) {
  const std::uint8_t first = ReadByte();
  if (first < 0xFF) return first;
  const std::uint16_t word = ReadWord();
  if (word == kWideStringMarker) {
    if (!allowWideMarker) Fail(ArchiveError::BadString, "nested 16-bit string marker");
    wide = true;
    return ReadLength(false, wide);
  }
  if (word < 0xFFFF) return word;
  return ReadDword();
}

std::string ArchiveReader::ReadWideString(std::uint32_t units) {
  Require(std::uint64_t{units} * 2);
  std::string out;
  for (std::uint32_t i = 0; i < units; ++i) {
    char32_t cp = static_cast<char32_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units) {
      const char32_t low = static_cast<char32_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        m_pos += 2;
        ++i;
      }
    }
    if (!CodePointToCp1252(cp))
      Fail(ArchiveError::BadString, "16-bit string holds a character outside code page 1252");
    AppendUtf8(out, cp);
  }
  return out;
}

std::string ArchiveReader::ReadRawString() {
  bool wide = false;
  const std::uint32_t length = ReadLength(true, wide);
  if (wide) {
    const auto bytes = Utf8ToCp1252(ReadWideString(length));
    return bytes ? *bytes : std::string();
  }
  Require(length);
  std::string text(reinterpret_cast<const char*>(m_data.data() + m_pos), length);
  m_pos += length;
  return text;
}

std::string ArchiveReader::ReadString() {
  bool wide = false;
  const std::uint32_t length = ReadLength(true, wide);
  if (wide) return ReadWideString(length);
  Require(length);
  std::string text =
      Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(m_data.data() + m_pos), length));
  m_pos += length;
  return text;
}

std::uint32_t ArchiveReader::ReadCount() {
  std::uint32_t count = ReadWord();
  if (count == 0xFFFF) count = ReadDword();
  // Every element takes at least the two bytes of its tag.
  Require(std::uint64_t{count} * 2);
  return count;
}

std::unique_ptr<ArchiveObject> ArchiveReader::ReadObject(std::string_view requiredClass) {
  const ClassRegistry::Entry* cls = ReadObjectTag(requiredClass);
  if (!cls) return nullptr;
  std::unique_ptr<ArchiveObject> object = cls->create();
  object->Read(*this);
  return object;
}

const ClassRegistry::Entry* ArchiveReader::ClassAt(std::uint64_t index) const {
  for (const ClassSlot& slot : m_classes) {
    if (slot.index == index) return slot.cls;
  }
  return nullptr;
}

const ClassRegistry::Entry* ArchiveReader::ReadObjectTag(std::string_view requiredClass) {
  const std::uint16_t tag = ReadWord();
  if (tag == kNullTag) return nullptr;

  const ClassRegistry::Entry* cls = nullptr;
  if (tag == kNewClassTag) {
    const std::uint16_t schema = ReadWord();
    const std::uint16_t length = ReadWord();
    Require(length);
    const std::string name(reinterpret_cast<const char*>(m_data.data() + m_pos), length);
    m_pos += length;
    cls = m_registry.Find(name);
    if (!cls) Fail(ArchiveError::UnknownClass, "unknown class \"" + Cp1252ToUtf8(name) + "\"");
    if (cls->schema != schema) Fail(ArchiveError::WrongSchema, "wrong schema for class " + name);
    m_classes.push_back({m_nextIndex++, cls});
  } else {
    std::uint32_t index = 0;
    bool isClass = false;
    if (tag == kBigObjectTag) {
      const std::uint32_t big = ReadDword();
      isClass = (big & kBigClassTag) != 0;
      index = big & ~kBigClassTag;
    } else {
      isClass = (tag & kClassTag) != 0;
      index = tag & ~std::uint32_t{kClassTag};
    }
    if (index == 0 || index >= m_nextIndex) Fail(ArchiveError::BadIndex, "undefined archive index");
    cls = ClassAt(index);
    if (!isClass) {
      if (cls) Fail(ArchiveError::BadIndex, "object reference to a class index");
      Fail(ArchiveError::SharedObject, "second reference to an object");
    }
    if (!cls) Fail(ArchiveError::BadIndex, "class reference to an object index");
  }

  if (cls != m_lastMatch || requiredClass.data() != m_lastRequired.data() ||
      requiredClass.size() != m_lastRequired.size()) {
    if (cls->name != requiredClass) {
      Fail(ArchiveError::WrongClass,
           "object of class " + cls->name + " where " + std::string(requiredClass) + " is required");
    }
    m_lastMatch = cls;
    m_lastRequired = requiredClass;
  }
  ++m_nextIndex;  // the new object's index
  return cls;
}
