#include "base/ArchiveWriter.h"

#include <algorithm>

#include "base/ArchiveTags.h"
#include "base/Cp1252.h"

using namespace archive_tags;

void ArchiveWriter::WriteByte(std::uint8_t value) {
  m_bytes.push_back(value);
}

void ArchiveWriter::WriteWord(std::uint16_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteDword(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    m_bytes.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void ArchiveWriter::WriteInt32(std::int32_t value) {
  WriteDword(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteString(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    WriteRawString(utf8);  // plain ASCII is the same in both
    return;
  }
  const auto bytes = Utf8ToCp1252(utf8);
  if (!bytes) throw ArchiveException(ArchiveError::BadString, "text cannot be stored in code page 1252");
  WriteRawString(*bytes);
}

void ArchiveWriter::WriteRawString(std::string_view bytes) {
  const std::size_t length = bytes.size();
  if (length < 0xFF) {
    WriteByte(static_cast<std::uint8_t>(length));
  } else if (length < 0xFFFE) {
    WriteByte(0xFF);
    WriteWord(static_cast<std::uint16_t>(length));
  } else {
    WriteByte(0xFF);
    WriteWord(0xFFFF);
    WriteDword(static_cast<std::uint32_t>(length));
  }
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ArchiveWriter::WriteCount(std::uint64_t count) {
  if (count < 0xFFFF) {
    WriteWord(static_cast<std::uint16_t>(count));
  } else {
    WriteWord(0xFFFF);
    WriteDword(static_cast<std::uint32_t>(count));
  }
}

void ArchiveWriter::WriteIndexTag(std::uint32_t index, bool isClass) {
  if (index < kBigObjectTag) {
    WriteWord(static_cast<std::uint16_t>(isClass ? (kClassTag | index) : index));
  } else {
    WriteWord(kBigObjectTag);
    WriteDword(isClass ? (kBigClassTag | index) : index);
  }
}

void ArchiveWriter::WriteObject(const ArchiveObject* object) {
  if (!object) {
    WriteWord(kNullTag);
    return;
  }
  if (const auto known = m_objectIndex.find(object); known != m_objectIndex.end()) {
    WriteIndexTag(known->second, false);
    return;
  }
  WriteNewObject(*object);
  m_objectIndex.emplace(object, m_nextIndex - 1);
  object->Write(*this);
}

void ArchiveWriter::WriteOwnedObject(const ArchiveObject* object) {
  if (!object) {
    WriteWord(kNullTag);
    return;
  }
  WriteNewObject(*object);
  object->Write(*this);
}

void ArchiveWriter::WriteNewObject(const ArchiveObject& object) {
  const std::string_view name = object.ClassName();
  const auto cls = std::find_if(m_classIndex.begin(), m_classIndex.end(),
                                [name](const auto& entry) { return entry.first == name; });
  if (cls != m_classIndex.end()) {
    WriteIndexTag(cls->second, true);
  } else {
    WriteWord(kNewClassTag);
    WriteWord(object.Schema());
    WriteWord(static_cast<std::uint16_t>(name.size()));
    m_bytes.insert(m_bytes.end(), name.begin(), name.end());
    m_classIndex.emplace_back(name, m_nextIndex++);
  }
  ++m_nextIndex;  // the object's own index
}
