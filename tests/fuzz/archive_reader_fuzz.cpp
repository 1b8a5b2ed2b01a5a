// Feeds arbitrary bytes to the archive reader: a text, then an object array of nodes that
// own arrays of leaves, then texts and integers to the end. Whatever reads successfully is
// written again; that encoding must read back and encode to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

namespace {

struct Leaf : ArchiveObject {
  static constexpr const char* kClassName = "CKBXKurs";
  static constexpr std::uint16_t kSchema = 1;
  std::int32_t price = 0;
  std::uint32_t day = 0;
  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& a) const override {
    a.WriteInt32(price);
    a.WriteDword(day);
  }
  void Read(ArchiveReader& a) override {
    price = a.ReadInt32();
    day = a.ReadDword();
  }
};

struct Node : ArchiveObject {
  static constexpr const char* kClassName = "CKBXKursverlauf";
  static constexpr std::uint16_t kSchema = 1;
  std::string name, wkn;
  std::vector<std::unique_ptr<Leaf>> points;
  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& a) const override {
    a.WriteString(name);
    a.WriteString(wkn);
    a.WriteObjectArray(points);
  }
  void Read(ArchiveReader& a) override {
    name = a.ReadString();
    wkn = a.ReadString();
    points = a.ReadObjectArray<Leaf>();
  }
};

struct Content {
  std::string magic;
  std::vector<std::unique_ptr<Node>> nodes;
  std::vector<std::string> texts;

  void Read(ArchiveReader& a) {
    magic = a.ReadString();
    nodes = a.ReadObjectArray<Node>();
    while (!a.AtEnd()) texts.push_back(a.ReadString());
  }
  std::vector<std::uint8_t> Write() const {
    ArchiveWriter w;
    w.WriteString(magic);
    w.WriteObjectArray(nodes);
    for (const std::string& t : texts) w.WriteString(t);
    return w.TakeBytes();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ClassRegistry registry;
  registry.Add<Leaf>();
  registry.Add<Node>();
  Content content;
  try {
    ArchiveReader reader(std::span<const std::uint8_t>(data, size), registry);
    content.Read(reader);
  } catch (const ArchiveException&) {
    return 0;
  }
  const std::vector<std::uint8_t> first = content.Write();
  Content again;
  ArchiveReader reader(first, registry);
  again.Read(reader);  // must not throw: the writer's own output
  if (again.Write() != first) std::abort();
  return 0;
}
