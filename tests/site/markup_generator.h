// Seeded generators of body markup, for checking and timing the text pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrope {

// A trading site's body as a browser gives it: menus, price tables (some
// nested), forms, news blocks that repeat their texts, scripts and comments,
// in Russian and English. At least `min_bytes` long.
std::string RealisticBody(uint32_t seed, size_t min_bytes);

// Markup that breaks every rule: tags of any case with and without
// attributes, closing tags missing, misspelt or in another case, stray "<"
// and ">", comments and scripts holding tags, control characters, text
// outside code page 1251 and invalid UTF-8. About `pieces` pieces long.
std::string NastyMarkup(uint32_t seed, size_t pieces);

}  // namespace vantrope
