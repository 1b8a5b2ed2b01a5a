#include "base/Archive.h"

#include <gtest/gtest.h>

#include "base/Cp1252.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Leaf : ArchiveObject {
  static constexpr const char* kClassName = "Leaf";
  static constexpr std::uint16_t kSchema = 1;
  std::int32_t value = 0;
  std::string_view className() const override { return kClassName; }
  void write(ArchiveWriter& a) const override { a.writeInt32(value); }
  void read(ArchiveReader& a) override { value = a.readInt32(); }
};

struct Node : ArchiveObject {
  static constexpr const char* kClassName = "Node";
  static constexpr std::uint16_t kSchema = 1;
  std::string name;
  std::vector<std::unique_ptr<Leaf>> leaves;
  std::string_view className() const override { return kClassName; }
  void write(ArchiveWriter& a) const override {
    a.writeString(name);
    a.writeObjectArray(leaves);
  }
  void read(ArchiveReader& a) override {
    name = a.readString();
    leaves = a.readObjectArray<Leaf>();
  }
};

ClassRegistry registry() {
  ClassRegistry r;
  r.add<Leaf>();
  r.add<Node>();
  return r;
}

std::vector<std::unique_ptr<Leaf>> leaves(std::size_t n) {
  std::vector<std::unique_ptr<Leaf>> out;
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(std::make_unique<Leaf>());
    out.back()->value = static_cast<std::int32_t>(i);
  }
  return out;
}

ArchiveError readError(const Bytes& bytes, const std::function<void(ArchiveReader&)>& read) {
  const ClassRegistry r = registry();
  ArchiveReader reader(bytes, r);
  try {
    read(reader);
  } catch (const ArchiveException& e) {
    return e.error();
  }
  ADD_FAILURE() << "read did not fail";
  return ArchiveError::EndOfStream;
}

Bytes prefixOf(const Bytes& bytes, std::size_t n) { return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)); }

}  // namespace

TEST(Archive, ScalarsAreLittleEndian) {
  ArchiveWriter w;
  w.writeByte(0xAB);
  w.writeWord(0x1234);
  w.writeInt32(-2);
  w.writeDword(0x89ABCDEF);
  EXPECT_EQ(w.bytes(), (Bytes{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89}));
  const ClassRegistry r = registry();
  ArchiveReader reader(w.bytes(), r);
  EXPECT_EQ(reader.readByte(), 0xAB);
  EXPECT_EQ(reader.readWord(), 0x1234);
  EXPECT_EQ(reader.readInt32(), -2);
  EXPECT_EQ(reader.readDword(), 0x89ABCDEFu);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_THROW(reader.readByte(), ArchiveException);
}

TEST(Archive, StringLengthPrefixes) {
  struct Case {
    std::size_t length;
    Bytes prefix;
  };
  const Case cases[] = {{0, {0x00}},
                        {254, {0xFE}},
                        {255, {0xFF, 0xFF, 0x00}},
                        {65533, {0xFF, 0xFD, 0xFF}},
                        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    ArchiveWriter w;
    w.writeString(text);
    ASSERT_EQ(w.bytes().size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(prefixOf(w.bytes(), c.prefix.size()), c.prefix) << c.length;
    const ClassRegistry r = registry();
    ArchiveReader reader(w.bytes(), r);
    EXPECT_EQ(reader.readString(), text);
    EXPECT_TRUE(reader.atEnd());
  }
}

TEST(Archive, TextsAreCodePage1252InTheStream) {
  ArchiveWriter w;
  w.writeString("Müller & Söhne 5 €");
  const Bytes expected = {18, 'M', 0xFC, 'l', 'l', 'e', 'r', ' ', '&', ' ', 'S', 0xF6, 'h', 'n', 'e', ' ', '5', ' ', 0x80};
  EXPECT_EQ(w.bytes(), expected);
  const ClassRegistry r = registry();
  ArchiveReader reader(w.bytes(), r);
  EXPECT_EQ(reader.readString(), "Müller & Söhne 5 €");

  // Undefined code page bytes survive a round trip.
  const Bytes odd = {3, 0x81, 0x8D, 0x9D};
  ArchiveReader oddReader(odd, r);
  const std::string text = oddReader.readString();
  ArchiveWriter again;
  again.writeString(text);
  EXPECT_EQ(again.bytes(), odd);

  ArchiveWriter refused;
  try {
    refused.writeString("中");
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.error(), ArchiveError::BadString);
  }
  EXPECT_FALSE(FitsCp1252("\xC3"));  // broken UTF-8
  EXPECT_TRUE(FitsCp1252("Zinserträge (Haben-Zins)"));
}

TEST(Archive, WideStringsAreConvertedOrRefused) {
  // FF FE FF marks 16-bit characters, then the length in characters.
  const Bytes wide = {0xFF, 0xFE, 0xFF, 3, 0xC4, 0x00, 0xAC, 0x20, 'x', 0x00};
  const ClassRegistry r = registry();
  ArchiveReader reader(wide, r);
  EXPECT_EQ(reader.readString(), "Ä€x");
  EXPECT_TRUE(reader.atEnd());

  const Bytes longWide = {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'a', 0x00};
  ArchiveReader longReader(longWide, r);
  EXPECT_EQ(longReader.readString(), "a");

  EXPECT_EQ(readError({0xFF, 0xFE, 0xFF, 1, 0x2D, 0x4E}, [](ArchiveReader& a) { a.readString(); }), ArchiveError::BadString);
  EXPECT_EQ(readError({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}, [](ArchiveReader& a) { a.readString(); }), ArchiveError::BadString);
  EXPECT_EQ(readError({0xFF, 0xFE, 0xFF, 5, 'a', 0}, [](ArchiveReader& a) { a.readString(); }), ArchiveError::EndOfStream);
}

TEST(Archive, CountsAndEmptyArrays) {
  ArchiveWriter w;
  w.writeCount(0);
  w.writeCount(0xFFFE);
  w.writeCount(0xFFFF);
  EXPECT_EQ(w.bytes(), (Bytes{0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  ArchiveWriter empty;
  empty.writeObjectArray(std::vector<std::unique_ptr<Leaf>>{});
  EXPECT_EQ(empty.bytes(), (Bytes{0x00, 0x00}));
}

TEST(Archive, ClassesAndObjectsShareOneIndexCounter) {
  ArchiveWriter w;
  w.writeObjectArray(leaves(2));
  const Bytes expected = {0x02, 0x00,                                   // count
                          0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'L', 'e', 'a', 'f',  // new class: index 1
                          0x00, 0x00, 0x00, 0x00,                       // first leaf: index 2
                          0x01, 0x80,                                   // known class 1
                          0x01, 0x00, 0x00, 0x00};                      // second leaf: index 3
  EXPECT_EQ(w.bytes(), expected);

  // A second reference to an object written before is its index.
  ArchiveWriter refs;
  Leaf leaf;
  refs.writeObject(&leaf);
  refs.writeObject(&leaf);
  refs.writeObject(nullptr);
  ASSERT_EQ(refs.bytes().size(), 14u + 2u + 2u);
  EXPECT_EQ(Bytes(refs.bytes().end() - 4, refs.bytes().end()), (Bytes{0x02, 0x00, 0x00, 0x00}));
}

TEST(Archive, MoreThan0x7FFFObjectsUseBigTagsAndRoundTrip) {
  std::vector<std::unique_ptr<Node>> nodes;
  auto first = std::make_unique<Node>();
  first->name = "viele";
  first->leaves = leaves(40000);
  nodes.push_back(std::move(first));
  for (int i = 0; i < 3; ++i) nodes.push_back(std::make_unique<Node>());
  ArchiveWriter w;
  w.writeObjectArray(nodes);
  const Bytes& bytes = w.bytes();
  // Node: class 1, the first node object 2, Leaf class 3, leaves 4..40003, then nodes 40004..
  // The second node carries the known class 1 as a short tag; leaf objects past 0x7FFF keep
  // the short class tag of Leaf (index 3).
  const ClassRegistry r = registry();
  ArchiveReader reader(bytes, r);
  auto read = reader.readObjectArray<Node>();
  ASSERT_EQ(read.size(), 4u);
  ASSERT_EQ(read[0]->leaves.size(), 40000u);
  EXPECT_EQ(read[0]->leaves[39999]->value, 39999);
  EXPECT_TRUE(reader.atEnd());
  ArchiveWriter again;
  again.writeObjectArray(read);
  EXPECT_EQ(again.bytes(), bytes);

  // Now a class first used past index 0x7FFF: its later objects carry the big class tag.
  ArchiveWriter big;
  big.writeObjectArray(leaves(40000));             // Leaf class 1, leaves 2..40001
  std::vector<std::unique_ptr<Node>> after;
  for (int i = 0; i < 2; ++i) after.push_back(std::make_unique<Node>());
  const std::size_t start = big.bytes().size();
  big.writeObjectArray(after);                     // Node class 40002, nodes 40003, 40005
  const Bytes& b = big.bytes();
  // count, new class tag, schema, name length, "Node", first node (empty name, empty array)
  const std::size_t second = start + 2 + 6 + 4 + 1 + 2;
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(start + 2), b.begin() + static_cast<std::ptrdiff_t>(start + 4)), (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(second), b.begin() + static_cast<std::ptrdiff_t>(second + 6)),
            (Bytes{0xFF, 0x7F, 0x42, 0x9C, 0x00, 0x80}));  // 0x7FFF, 0x80000000 | 40002
  ArchiveReader bigReader(b, r);
  EXPECT_EQ(bigReader.readObjectArray<Leaf>().size(), 40000u);
  EXPECT_EQ(bigReader.readObjectArray<Node>().size(), 2u);
  EXPECT_TRUE(bigReader.atEnd());
}

TEST(Archive, ReadingFailsWithItsKind) {
  const auto array = [](ArchiveReader& a) { a.readObjectArray<Leaf>(); };
  // Unknown class name.
  EXPECT_EQ(readError({1, 0, 0xFF, 0xFF, 1, 0, 3, 0, 'F', 'o', 'o'}, array), ArchiveError::UnknownClass);
  // Schema 2 where the class has 1.
  EXPECT_EQ(readError({1, 0, 0xFF, 0xFF, 2, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0}, array), ArchiveError::WrongSchema);
  // Class index 5 that was never defined; object index 7 likewise.
  EXPECT_EQ(readError({1, 0, 0x05, 0x80}, array), ArchiveError::BadIndex);
  EXPECT_EQ(readError({1, 0, 0x07, 0x00}, array), ArchiveError::BadIndex);
  EXPECT_EQ(readError({1, 0, 0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80}, array), ArchiveError::BadIndex);
  // A class tag that names an object, and an object reference that names a class.
  EXPECT_EQ(readError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x02, 0x80}, array), ArchiveError::BadIndex);
  EXPECT_EQ(readError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x01, 0x00}, array), ArchiveError::BadIndex);
  // A second reference to an owned object.
  EXPECT_EQ(readError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x02, 0x00}, array), ArchiveError::SharedObject);
  // A Node where a Leaf is required, and a null element.
  EXPECT_EQ(readError({1, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'N', 'o', 'd', 'e', 0, 0, 0}, array), ArchiveError::WrongClass);
  EXPECT_EQ(readError({1, 0, 0x00, 0x00}, array), ArchiveError::NullObject);
  // Counts and lengths that the stream cannot hold are refused before anything is allocated.
  EXPECT_EQ(readError({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}, array), ArchiveError::EndOfStream);
  EXPECT_EQ(readError({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, [](ArchiveReader& a) { a.readString(); }),
            ArchiveError::EndOfStream);
}

TEST(Archive, EveryTruncationFailsCleanly) {
  std::vector<std::unique_ptr<Node>> nodes;
  for (int i = 0; i < 3; ++i) {
    nodes.push_back(std::make_unique<Node>());
    nodes.back()->name = std::string(static_cast<std::size_t>(100 * i), 'n');
    nodes.back()->leaves = leaves(static_cast<std::size_t>(i + 1));
  }
  ArchiveWriter w;
  w.writeObjectArray(nodes);
  for (std::size_t n = 0; n < w.bytes().size(); ++n) {
    EXPECT_EQ(readError(prefixOf(w.bytes(), n), [](ArchiveReader& a) { a.readObjectArray<Node>(); }),
              ArchiveError::EndOfStream)
        << n;
  }
}
