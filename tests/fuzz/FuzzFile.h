#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Writes the input to this process's scratch file (in memory where the system offers a
// RAM disk) and returns its path: the readers read files, not buffers.
const std::string& WriteInput(const uint8_t* data, size_t size);

// Stops the run with a message when a property the readers promise does not hold.
void Require(bool holds, const char* what);

}  // namespace fuzz
