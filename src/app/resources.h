// The program's own resources (sounds, pictures), carried inside the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrope {

// A resource by type ("WAVE", "BITMAP") and name ("INFO", "UP"); null when the
// program has no such resource.
const std::vector<uint8_t>* FindResource(const std::string& type, const std::string& name);

}  // namespace vantrope
