#include "base/Archive.h"

#include <algorithm>

#include "base/Cp1252.h"

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kWideStringMarker = 0xFFFE;

[[noreturn]] void fail(ArchiveError error, const std::string& what) { throw ArchiveException(error, what); }

}  // namespace

void ClassRegistry::add(std::string name, std::uint16_t schema,
                        std::function<std::unique_ptr<ArchiveObject>()> create) {
  m_entries.push_back({std::move(name), schema, std::move(create)});
}

const ClassRegistry::Entry* ClassRegistry::find(std::string_view name) const {
  for (const Entry& entry : m_entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------- writer

void ArchiveWriter::writeByte(std::uint8_t value) { m_bytes.push_back(value); }

void ArchiveWriter::writeWord(std::uint16_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::writeDword(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void ArchiveWriter::writeInt32(std::int32_t value) { writeDword(static_cast<std::uint32_t>(value)); }

void ArchiveWriter::writeString(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    writeRawString(utf8);  // plain ASCII is the same in both
    return;
  }
  const auto bytes = Utf8ToCp1252(utf8);
  if (!bytes) fail(ArchiveError::BadString, "text cannot be stored in code page 1252");
  writeRawString(*bytes);
}

void ArchiveWriter::writeRawString(std::string_view bytes) {
  const std::size_t length = bytes.size();
  if (length < 0xFF) {
    writeByte(static_cast<std::uint8_t>(length));
  } else if (length < 0xFFFE) {
    writeByte(0xFF);
    writeWord(static_cast<std::uint16_t>(length));
  } else {
    writeByte(0xFF);
    writeWord(0xFFFF);
    writeDword(static_cast<std::uint32_t>(length));
  }
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ArchiveWriter::writeCount(std::uint64_t count) {
  if (count < 0xFFFF) {
    writeWord(static_cast<std::uint16_t>(count));
  } else {
    writeWord(0xFFFF);
    writeDword(static_cast<std::uint32_t>(count));
  }
}

void ArchiveWriter::writeIndexTag(std::uint32_t index, bool isClass) {
  if (index < kBigObjectTag) {
    writeWord(static_cast<std::uint16_t>(isClass ? (kClassTag | index) : index));
  } else {
    writeWord(kBigObjectTag);
    writeDword(isClass ? (kBigClassTag | index) : index);
  }
}

void ArchiveWriter::writeObject(const ArchiveObject* object) {
  if (!object) {
    writeWord(kNullTag);
    return;
  }
  if (const auto known = m_objectIndex.find(object); known != m_objectIndex.end()) {
    writeIndexTag(known->second, false);
    return;
  }
  writeNewObject(*object);
  m_objectIndex.emplace(object, m_nextIndex - 1);
  object->write(*this);
}

void ArchiveWriter::writeOwnedObject(const ArchiveObject* object) {
  if (!object) {
    writeWord(kNullTag);
    return;
  }
  writeNewObject(*object);
  object->write(*this);
}

void ArchiveWriter::writeNewObject(const ArchiveObject& object) {
  const std::string_view name = object.className();
  const auto cls = std::find_if(m_classIndex.begin(), m_classIndex.end(),
                                [name](const auto& entry) { return entry.first == name; });
  if (cls != m_classIndex.end()) {
    writeIndexTag(cls->second, true);
  } else {
    writeWord(kNewClassTag);
    writeWord(object.schema());
    writeWord(static_cast<std::uint16_t>(name.size()));
    m_bytes.insert(m_bytes.end(), name.begin(), name.end());
    m_classIndex.emplace_back(name, m_nextIndex++);
  }
  ++m_nextIndex;  // the object's own index
}

// ---------------------------------------------------------------------------- reader

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> data, const ClassRegistry& registry)
    : m_data(data), m_registry(registry), m_table(1) {}

void ArchiveReader::require(std::uint64_t bytes) const {
  if (bytes > remaining()) fail(ArchiveError::EndOfStream, "unexpected end of the archive");
}

std::uint8_t ArchiveReader::readByte() {
  require(1);
  return m_data[m_pos++];
}

std::uint16_t ArchiveReader::readWord() {
  require(2);
  const auto value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
  m_pos += 2;
  return value;
}

std::uint32_t ArchiveReader::readDword() {
  require(4);
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | m_data[m_pos + static_cast<std::size_t>(i)];
  m_pos += 4;
  return value;
}

std::int32_t ArchiveReader::readInt32() { return static_cast<std::int32_t>(readDword()); }

std::uint32_t ArchiveReader::readLength(bool allowWideMarker, bool& wide) {
  const std::uint8_t first = readByte();
  if (first < 0xFF) return first;
  const std::uint16_t word = readWord();
  if (word == kWideStringMarker) {
    if (!allowWideMarker) fail(ArchiveError::BadString, "nested 16-bit string marker");
    wide = true;
    return readLength(false, wide);
  }
  if (word < 0xFFFF) return word;
  return readDword();
}

std::string ArchiveReader::readWideString(std::uint32_t units) {
  require(std::uint64_t{units} * 2);
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
    if (!CodePointToCp1252(cp)) fail(ArchiveError::BadString, "16-bit string holds a character outside code page 1252");
    AppendUtf8(out, cp);
  }
  return out;
}

std::string ArchiveReader::readRawString() {
  bool wide = false;
  const std::uint32_t length = readLength(true, wide);
  if (wide) {
    const auto bytes = Utf8ToCp1252(readWideString(length));
    return bytes ? *bytes : std::string();
  }
  require(length);
  std::string text(reinterpret_cast<const char*>(m_data.data() + m_pos), length);
  m_pos += length;
  return text;
}

std::string ArchiveReader::readString() {
  bool wide = false;
  const std::uint32_t length = readLength(true, wide);
  if (wide) return readWideString(length);
  require(length);
  std::string text = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(m_data.data() + m_pos), length));
  m_pos += length;
  return text;
}

std::uint32_t ArchiveReader::readCount() {
  std::uint32_t count = readWord();
  if (count == 0xFFFF) count = readDword();
  // Every element takes at least the two bytes of its tag.
  require(std::uint64_t{count} * 2);
  return count;
}

std::unique_ptr<ArchiveObject> ArchiveReader::readObject(std::string_view requiredClass) {
  const ClassRegistry::Entry* cls = readObjectTag(requiredClass);
  if (!cls) return nullptr;
  std::unique_ptr<ArchiveObject> object = cls->create();
  object->read(*this);
  return object;
}

const ClassRegistry::Entry* ArchiveReader::readObjectTag(std::string_view requiredClass) {
  const std::uint16_t tag = readWord();
  if (tag == kNullTag) return nullptr;

  const ClassRegistry::Entry* cls = nullptr;
  if (tag == kNewClassTag) {
    const std::uint16_t schema = readWord();
    const std::uint16_t length = readWord();
    require(length);
    const std::string name(reinterpret_cast<const char*>(m_data.data() + m_pos), length);
    m_pos += length;
    cls = m_registry.find(name);
    if (!cls) fail(ArchiveError::UnknownClass, "unknown class \"" + Cp1252ToUtf8(name) + "\"");
    if (cls->schema != schema) fail(ArchiveError::WrongSchema, "wrong schema for class " + name);
    m_table.push_back({cls, true});
  } else {
    std::uint32_t index = 0;
    bool isClass = false;
    if (tag == kBigObjectTag) {
      const std::uint32_t big = readDword();
      isClass = (big & kBigClassTag) != 0;
      index = big & ~kBigClassTag;
    } else {
      isClass = (tag & kClassTag) != 0;
      index = tag & ~std::uint32_t{kClassTag};
    }
    if (index == 0 || index >= m_table.size()) fail(ArchiveError::BadIndex, "undefined archive index");
    const TableEntry& entry = m_table[index];
    if (!isClass) {
      if (entry.isClass) fail(ArchiveError::BadIndex, "object reference to a class index");
      fail(ArchiveError::SharedObject, "second reference to an object");
    }
    if (!entry.isClass) fail(ArchiveError::BadIndex, "class reference to an object index");
    cls = entry.cls;
  }

  if (cls->name != requiredClass) {
    fail(ArchiveError::WrongClass, "object of class " + cls->name + " where " + std::string(requiredClass) + " is required");
  }
  m_table.push_back({nullptr, false});
  return cls;
}
