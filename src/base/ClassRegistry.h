#pragma once
// The classes a reader can create from a stream.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ArchiveObject.h"

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
