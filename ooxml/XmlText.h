#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace ooxml {

// The length of the UTF-8 sequence at the start of `text`; 0 when it is not valid UTF-8.
size_t Utf8SequenceLength(std::string_view text);
// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// What an XML 1.0 text or attribute can hold: valid UTF-8 without the control characters XML
// forbids (tab, line feed and carriage return stay). Every text that enters a part passes here, so
// a file name or a typed text can never make a part that is not well-formed.
std::string XmlSafeText(std::string_view text);

} // namespace ooxml
