#include "app/Failure.h"

#include "app/TextUtil.h"

std::string Failure::Describe() const {
    std::string text = PrintableText(path);
    if (line > 0) text += (text.empty() ? "line " : ":") + std::to_string(line);
    return text.empty() ? reason : text + ": " + reason;
}
