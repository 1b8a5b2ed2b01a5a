#include "base/ClassRegistry.h"

void ClassRegistry::Add(std::string name, std::uint16_t schema,
                        std::function<std::unique_ptr<ArchiveObject>()> create) {
  m_entries.push_back({std::move(name), schema, std::move(create)});
}

const ClassRegistry::Entry* ClassRegistry::Find(std::string_view name) const {
  for (const Entry& entry : m_entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}
