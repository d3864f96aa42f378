#include "XmlText.h"

#include <cstdint>

namespace ooxml {

size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80) return 1;
    size_t length = 0;
    uint32_t min = 0;
    uint32_t code = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, min = 0x80, code = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, min = 0x800, code = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, code = b0 & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD, as the JSON writer replaces what is not UTF-8
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string XmlSafeText(std::string_view text) {
    std::string out = ValidUtf8(text);
    std::erase_if(out, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    // U+FFFE and U+FFFF are valid UTF-8 but no XML character either.
    for (size_t at = out.find("\xEF\xBF"); at != std::string::npos; at = out.find("\xEF\xBF", at)) {
        if (at + 2 < out.size() && (out[at + 2] == '\xBE' || out[at + 2] == '\xBF'))
            out.replace(at, 3, "\xEF\xBF\xBD");
        at += 2;
    }
    return out;
}

} // namespace ooxml
