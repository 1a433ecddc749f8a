// Text cut by characters rather than bytes. Paths and file names are UTF-8
// here, so a name such as "karté.bmp" loses whole letters when the editor
// builds the names of the files that go with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korv {

// `text` without its last `count` characters; empty when it has no more.
std::string DropLastCharacters(std::string_view text, size_t count);
// The number of characters of `text`.
size_t CharacterCount(std::string_view text);

}  // namespace korv
