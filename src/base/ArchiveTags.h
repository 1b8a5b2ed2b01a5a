#pragma once
// The tags of the archive stream, shared by the writer and the reader.

#include <cstdint>

namespace archive_tags {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kWideStringMarker = 0xFFFE;

}  // namespace archive_tags
