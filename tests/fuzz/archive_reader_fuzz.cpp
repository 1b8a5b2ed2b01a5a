// Feeds arbitrary bytes to the archive reader: a text, then an object array of nodes that
// own arrays of leaves, then texts and integers to the end. Whatever reads successfully is
// written again; that encoding must read back and encode to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/Archive.h"

namespace {

struct Leaf : ArchiveObject {
  static constexpr const char* kClassName = "CKBXKurs";
  static constexpr std::uint16_t kSchema = 1;
  std::int32_t price = 0;
  std::uint32_t day = 0;
  std::string_view className() const override { return kClassName; }
  void write(ArchiveWriter& a) const override {
    a.writeInt32(price);
    a.writeDword(day);
  }
  void read(ArchiveReader& a) override {
    price = a.readInt32();
    day = a.readDword();
  }
};

struct Node : ArchiveObject {
  static constexpr const char* kClassName = "CKBXKursverlauf";
  static constexpr std::uint16_t kSchema = 1;
  std::string name, wkn;
  std::vector<std::unique_ptr<Leaf>> points;
  std::string_view className() const override { return kClassName; }
  void write(ArchiveWriter& a) const override {
    a.writeString(name);
    a.writeString(wkn);
    a.writeObjectArray(points);
  }
  void read(ArchiveReader& a) override {
    name = a.readString();
    wkn = a.readString();
    points = a.readObjectArray<Leaf>();
  }
};

struct Content {
  std::string magic;
  std::vector<std::unique_ptr<Node>> nodes;
  std::vector<std::string> texts;

  void read(ArchiveReader& a) {
    magic = a.readString();
    nodes = a.readObjectArray<Node>();
    while (!a.atEnd()) texts.push_back(a.readString());
  }
  std::vector<std::uint8_t> write() const {
    ArchiveWriter w;
    w.writeString(magic);
    w.writeObjectArray(nodes);
    for (const std::string& t : texts) w.writeString(t);
    return w.takeBytes();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ClassRegistry registry;
  registry.add<Leaf>();
  registry.add<Node>();
  Content content;
  try {
    ArchiveReader reader(std::span<const std::uint8_t>(data, size), registry);
    content.read(reader);
  } catch (const ArchiveException&) {
    return 0;
  }
  const std::vector<std::uint8_t> first = content.write();
  Content again;
  ArchiveReader reader(first, registry);
  again.read(reader);  // must not throw: the writer's own output
  if (again.write() != first) std::abort();
  return 0;
}
