#pragma once
// Whole-file reading, and writing that never destroys the previous version: the bytes go
// to a temporary file in the same folder, are flushed to disk and then renamed over the
// target. A failed or interrupted write leaves the old file as it was.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Keeps the permissions of an existing target; a new file gets the usual 0666 less umask.
bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);
