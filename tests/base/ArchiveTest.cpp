#include <gtest/gtest.h>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/Cp1252.h"
#include "tests/support/ByteDiff.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Leaf : ArchiveObject {
  static constexpr const char* kClassName = "Leaf";
  static constexpr std::uint16_t kSchema = 1;
  std::int32_t value = 0;
  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& a) const override { a.WriteInt32(value); }
  void Read(ArchiveReader& a) override { value = a.ReadInt32(); }
};

struct Node : ArchiveObject {
  static constexpr const char* kClassName = "Node";
  static constexpr std::uint16_t kSchema = 1;
  std::string name;
  std::vector<std::unique_ptr<Leaf>> leaves;
  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& a) const override {
    a.WriteString(name);
    a.WriteObjectArray(leaves);
  }
  void Read(ArchiveReader& a) override {
    name = a.ReadString();
    leaves = a.ReadObjectArray<Leaf>();
  }
};

ClassRegistry Registry() {
  ClassRegistry r;
  r.Add<Leaf>();
  r.Add<Node>();
  return r;
}

std::vector<std::unique_ptr<Leaf>> Leaves(std::size_t n) {
  std::vector<std::unique_ptr<Leaf>> out;
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(std::make_unique<Leaf>());
    out.back()->value = static_cast<std::int32_t>(i);
  }
  return out;
}

ArchiveError ReadError(const Bytes& bytes, const std::function<void(ArchiveReader&)>& read) {
  const ClassRegistry r = Registry();
  ArchiveReader reader(bytes, r);
  try {
    read(reader);
  } catch (const ArchiveException& e) {
    return e.Error();
  }
  ADD_FAILURE() << "read did not fail";
  return ArchiveError::EndOfStream;
}

Bytes PrefixOf(const Bytes& bytes, std::size_t n) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace

TEST(Archive, ScalarsAreLittleEndian) {
  ArchiveWriter w;
  w.WriteByte(0xAB);
  w.WriteWord(0x1234);
  w.WriteInt32(-2);
  w.WriteDword(0x89ABCDEF);
  EXPECT_EQ(w.Bytes(), (Bytes{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89}));
  const ClassRegistry r = Registry();
  ArchiveReader reader(w.Bytes(), r);
  EXPECT_EQ(reader.ReadByte(), 0xAB);
  EXPECT_EQ(reader.ReadWord(), 0x1234);
  EXPECT_EQ(reader.ReadInt32(), -2);
  EXPECT_EQ(reader.ReadDword(), 0x89ABCDEFu);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_THROW(reader.ReadByte(), ArchiveException);
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
    w.WriteString(text);
    ASSERT_EQ(w.Bytes().size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(PrefixOf(w.Bytes(), c.prefix.size()), c.prefix) << c.length;
    const ClassRegistry r = Registry();
    ArchiveReader reader(w.Bytes(), r);
    EXPECT_EQ(reader.ReadString(), text);
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(Archive, TextsAreCodePage1252InTheStream) {
  ArchiveWriter w;
  w.WriteString("Müller & Söhne 5 €");
  const Bytes expected = {18,  'M',  0xFC, 'l', 'l', 'e', 'r', ' ', '&', ' ',
                          'S', 0xF6, 'h',  'n', 'e', ' ', '5', ' ', 0x80};
  EXPECT_EQ(w.Bytes(), expected);
  const ClassRegistry r = Registry();
  ArchiveReader reader(w.Bytes(), r);
  EXPECT_EQ(reader.ReadString(), "Müller & Söhne 5 €");

  // Undefined code page bytes survive a round trip.
  const Bytes odd = {3, 0x81, 0x8D, 0x9D};
  ArchiveReader oddReader(odd, r);
  const std::string text = oddReader.ReadString();
  ArchiveWriter again;
  again.WriteString(text);
  EXPECT_EQ(again.Bytes(), odd);

  ArchiveWriter refused;
  try {
    refused.WriteString("中");
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.Error(), ArchiveError::BadString);
  }
  EXPECT_FALSE(FitsCp1252("\xC3"));  // broken UTF-8
  EXPECT_TRUE(FitsCp1252("Zinserträge (Haben-Zins)"));
}

TEST(Archive, WideStringsAreConvertedOrRefused) {
  // FF FE FF marks 16-bit characters, then the length in characters.
  const Bytes wide = {0xFF, 0xFE, 0xFF, 3, 0xC4, 0x00, 0xAC, 0x20, 'x', 0x00};
  const ClassRegistry r = Registry();
  ArchiveReader reader(wide, r);
  EXPECT_EQ(reader.ReadString(), "Ä€x");
  EXPECT_TRUE(reader.AtEnd());

  const Bytes longWide = {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'a', 0x00};
  ArchiveReader longReader(longWide, r);
  EXPECT_EQ(longReader.ReadString(), "a");

  EXPECT_EQ(ReadError({0xFF, 0xFE, 0xFF, 1, 0x2D, 0x4E}, [](ArchiveReader& a) { a.ReadString(); }),
            ArchiveError::BadString);
  EXPECT_EQ(ReadError({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}, [](ArchiveReader& a) { a.ReadString(); }),
            ArchiveError::BadString);
  EXPECT_EQ(ReadError({0xFF, 0xFE, 0xFF, 5, 'a', 0}, [](ArchiveReader& a) { a.ReadString(); }),
            ArchiveError::EndOfStream);
}

TEST(Archive, CountsAndEmptyArrays) {
  ArchiveWriter w;
  w.WriteCount(0);
  w.WriteCount(0xFFFE);
  w.WriteCount(0xFFFF);
  EXPECT_EQ(w.Bytes(), (Bytes{0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  ArchiveWriter empty;
  empty.WriteObjectArray(std::vector<std::unique_ptr<Leaf>>{});
  EXPECT_EQ(empty.Bytes(), (Bytes{0x00, 0x00}));
}

TEST(Archive, ClassesAndObjectsShareOneIndexCounter) {
  ArchiveWriter w;
  w.WriteObjectArray(Leaves(2));
  const Bytes expected = {0x02, 0x00,                                              // count
                          0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'L', 'e', 'a', 'f',  // new class: index 1
                          0x00, 0x00, 0x00, 0x00,                                  // first leaf: index 2
                          0x01, 0x80,                                              // known class 1
                          0x01, 0x00, 0x00, 0x00};                                 // second leaf: index 3
  EXPECT_EQ(w.Bytes(), expected);

  // A second reference to an object written before is its index.
  ArchiveWriter refs;
  Leaf leaf;
  refs.WriteObject(&leaf);
  refs.WriteObject(&leaf);
  refs.WriteObject(nullptr);
  ASSERT_EQ(refs.Bytes().size(), 14u + 2u + 2u);
  EXPECT_EQ(Bytes(refs.Bytes().end() - 4, refs.Bytes().end()), (Bytes{0x02, 0x00, 0x00, 0x00}));
}

TEST(Archive, MoreThan0x7FFFObjectsUseBigTagsAndRoundTrip) {
  std::vector<std::unique_ptr<Node>> nodes;
  auto first = std::make_unique<Node>();
  first->name = "viele";
  first->leaves = Leaves(40000);
  nodes.push_back(std::move(first));
  for (int i = 0; i < 3; ++i) nodes.push_back(std::make_unique<Node>());
  ArchiveWriter w;
  w.WriteObjectArray(nodes);
  const Bytes& bytes = w.Bytes();
  // Node: class 1, the first node object 2, Leaf class 3, leaves 4..40003, then nodes 40004..
  // The second node carries the known class 1 as a short tag; leaf objects past 0x7FFF keep
  // the short class tag of Leaf (index 3).
  const ClassRegistry r = Registry();
  ArchiveReader reader(bytes, r);
  auto read = reader.ReadObjectArray<Node>();
  ASSERT_EQ(read.size(), 4u);
  ASSERT_EQ(read[0]->leaves.size(), 40000u);
  EXPECT_EQ(read[0]->leaves[39999]->value, 39999);
  EXPECT_TRUE(reader.AtEnd());
  ArchiveWriter again;
  again.WriteObjectArray(read);
  EXPECT_TRUE(testutil::SameBytes(bytes, again.Bytes()));

  // Now a class first used past index 0x7FFF: its later objects carry the big class tag.
  ArchiveWriter big;
  big.WriteObjectArray(Leaves(40000));  // Leaf class 1, leaves 2..40001
  std::vector<std::unique_ptr<Node>> after;
  for (int i = 0; i < 2; ++i) after.push_back(std::make_unique<Node>());
  const std::size_t start = big.Bytes().size();
  big.WriteObjectArray(after);  // Node class 40002, nodes 40003, 40005
  const Bytes& b = big.Bytes();
  // count, new class tag, schema, name length, "Node", first node (empty name, empty array)
  const std::size_t second = start + 2 + 6 + 4 + 1 + 2;
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(start + 2),
                  b.begin() + static_cast<std::ptrdiff_t>(start + 4)),
            (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(second),
                  b.begin() + static_cast<std::ptrdiff_t>(second + 6)),
            (Bytes{0xFF, 0x7F, 0x42, 0x9C, 0x00, 0x80}));  // 0x7FFF, 0x80000000 | 40002
  ArchiveReader bigReader(b, r);
  EXPECT_EQ(bigReader.ReadObjectArray<Leaf>().size(), 40000u);
  EXPECT_EQ(bigReader.ReadObjectArray<Node>().size(), 2u);
  EXPECT_TRUE(bigReader.AtEnd());
}

TEST(Archive, ReadingFailsWithItsKind) {
  const auto array = [](ArchiveReader& a) { a.ReadObjectArray<Leaf>(); };
  // Unknown class name.
  EXPECT_EQ(ReadError({1, 0, 0xFF, 0xFF, 1, 0, 3, 0, 'F', 'o', 'o'}, array), ArchiveError::UnknownClass);
  // Schema 2 where the class has 1.
  EXPECT_EQ(ReadError({1, 0, 0xFF, 0xFF, 2, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0}, array),
            ArchiveError::WrongSchema);
  // Class index 5 that was never defined; object index 7 likewise.
  EXPECT_EQ(ReadError({1, 0, 0x05, 0x80}, array), ArchiveError::BadIndex);
  EXPECT_EQ(ReadError({1, 0, 0x07, 0x00}, array), ArchiveError::BadIndex);
  EXPECT_EQ(ReadError({1, 0, 0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80}, array), ArchiveError::BadIndex);
  // A class tag that names an object, and an object reference that names a class.
  EXPECT_EQ(ReadError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x02, 0x80}, array),
            ArchiveError::BadIndex);
  EXPECT_EQ(ReadError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x01, 0x00}, array),
            ArchiveError::BadIndex);
  // A second reference to an owned object.
  EXPECT_EQ(ReadError({2, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'L', 'e', 'a', 'f', 0, 0, 0, 0, 0x02, 0x00}, array),
            ArchiveError::SharedObject);
  // A Node where a Leaf is required, and a null element.
  EXPECT_EQ(ReadError({1, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'N', 'o', 'd', 'e', 0, 0, 0}, array),
            ArchiveError::WrongClass);
  EXPECT_EQ(ReadError({1, 0, 0x00, 0x00}, array), ArchiveError::NullObject);
  // Counts and lengths that the stream cannot hold are refused before anything is allocated.
  EXPECT_EQ(ReadError({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}, array), ArchiveError::EndOfStream);
  EXPECT_EQ(
      ReadError({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, [](ArchiveReader& a) { a.ReadString(); }),
      ArchiveError::EndOfStream);
}

TEST(Archive, EveryTruncationFailsCleanly) {
  std::vector<std::unique_ptr<Node>> nodes;
  for (int i = 0; i < 3; ++i) {
    nodes.push_back(std::make_unique<Node>());
    nodes.back()->name = std::string(static_cast<std::size_t>(100 * i), 'n');
    nodes.back()->leaves = Leaves(static_cast<std::size_t>(i + 1));
  }
  ArchiveWriter w;
  w.WriteObjectArray(nodes);
  for (std::size_t n = 0; n < w.Bytes().size(); ++n) {
    EXPECT_EQ(ReadError(PrefixOf(w.Bytes(), n), [](ArchiveReader& a) { a.ReadObjectArray<Node>(); }),
              ArchiveError::EndOfStream)
        << n;
  }
}
