#pragma once
// What the file-based fuzz targets share: the readers that take a path get the input written to a
// private scratch folder first (on a memory file system when there is one).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

inline std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process, made once and kept for the run.
const std::string& ScratchFolder();

// Writes `bytes` to `name` inside the scratch folder (replacing it) and returns the full path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

} // namespace fuzz
