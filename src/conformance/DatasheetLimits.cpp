#include "conformance/DatasheetLimits.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <toml++/toml.h>

#include "app/TextUtil.h"

namespace {

// A refusal on the way through the tables; caught once at the top.
struct Refusal {
    int line;
    std::string reason;
};

// Locale-free, shortest form: 1710 or 1710.5.
std::string MegahertzText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// toml++ 3.3 asks "is this whitespace?" of characters outside texts and comments, and of some inside
// multi-line texts, and its answer for most code points between U+00A1 and U+FEFE is undefined
// behaviour. No such character reaches it: each non-ASCII character is written as its escape
// (\u00B0), which a basic text decodes back to the same character and a comment ignores; outside a
// text it is a syntax error, as the character itself is. Only a literal text ('...') keeps the
// escape as written. Invalid UTF-8 stays, for the reader to refuse.
std::string EscapedNonAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80 ? 1 : Utf8SequenceLength(text.substr(i));
        if (length <= 1) {
            out += text[i++];
            continue;
        }
        // After a backslash the character would be an escape of its own, which is invalid: so is "\?".
        size_t backslashes = 0;
        while (backslashes < out.size() && out[out.size() - 1 - backslashes] == '\\') ++backslashes;
        if (backslashes % 2 == 1) {
            out += '?';
            i += length;
            continue;
        }
        char32_t code = byte & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        char escape[16];
        std::snprintf(escape, sizeof escape, code > 0xFFFF ? "\\U%08X" : "\\u%04X",
                      static_cast<unsigned>(code));
        out += escape;
        i += length;
    }
    return out;
}

int LineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

std::optional<double> Number(const toml::table& table, std::string_view key) {
    const toml::node* node = table.get(key);
    if (!node) return std::nullopt;
    if (auto value = node->value<double>(); value && (node->is_integer() || node->is_floating_point())) {
        if (!std::isfinite(*value))
            throw Refusal{LineOf(*node), std::string(key) + " is not a finite number"};
        return value;
    }
    throw Refusal{LineOf(*node), std::string(key) + " must be a number"};
}

std::vector<int> IntegerList(const toml::table& table, std::string_view key) {
    std::vector<int> list;
    const toml::node* node = table.get(key);
    if (!node) return list;
    const toml::array* array = node->as_array();
    if (!array) throw Refusal{LineOf(*node), std::string(key) + " must be a list of integers"};
    for (const toml::node& item : *array) {
        auto value = item.value<int64_t>();
        if (!item.is_integer() || !value)
            throw Refusal{LineOf(item), std::string(key) + " must be a list of integers"};
        list.push_back(static_cast<int>(*value));
    }
    return list;
}

IndicatorLimit ReadLimit(const toml::table& table) {
    IndicatorLimit limit;
    limit.line = LineOf(table);
    const auto name = table["indicator"].value<std::string>();
    if (!name) throw Refusal{limit.line, "a limit needs an indicator"};
    limit.indicator = *name;
    limit.column = FindResultColumn(limit.indicator);
    if (!limit.column)
        throw Refusal{LineOf(*table.get("indicator")), "unknown indicator \"" + limit.indicator + "\""};

    const auto nominal = Number(table, "nominal");
    const auto tolerance = Number(table, "tolerance");
    const auto min = Number(table, "min");
    const auto max = Number(table, "max");
    const auto absMax = Number(table, "abs_max");
    if (nominal.has_value() != tolerance.has_value())
        throw Refusal{limit.line, "nominal and tolerance go together"};
    if (nominal && (min || max || absMax))
        throw Refusal{limit.line, "nominal with tolerance replaces min, max and abs_max"};
    if (absMax && (min || max)) throw Refusal{limit.line, "abs_max replaces min and max"};
    if (nominal) {
        if (*tolerance < 0) throw Refusal{limit.line, "tolerance is negative"};
        limit.min = static_cast<float>(*nominal - *tolerance);
        limit.max = static_cast<float>(*nominal + *tolerance);
    } else if (absMax) {
        if (*absMax < 0) throw Refusal{limit.line, "abs_max is negative"};
        limit.absolute = true;
        limit.min = static_cast<float>(-*absMax);
        limit.max = static_cast<float>(*absMax);
    } else {
        if (min) limit.min = static_cast<float>(*min);
        if (max) limit.max = static_cast<float>(*max);
    }
    if (!limit.min && !limit.max) throw Refusal{limit.line, "limit of " + limit.indicator + " has no bound"};
    if (limit.min && limit.max && *limit.min > *limit.max)
        throw Refusal{limit.line, "limit of " + limit.indicator + " has min > max"};
    limit.ports = IntegerList(table, "ports");
    limit.tilts = IntegerList(table, "tilts");
    return limit;
}

LimitBand ReadBand(const toml::table& table) {
    LimitBand band;
    const int line = LineOf(table);
    const auto from = Number(table, "from");
    const auto to = Number(table, "to");
    if (!from || !to) throw Refusal{line, "a band needs from and to (MHz)"};
    band.from = *from;
    band.to = *to;
    if (band.from > band.to) throw Refusal{line, "band from > to"};
    band.name = table["name"].value_or(std::string());
    if (band.name.empty()) { band.name = MegahertzText(band.from) + "-" + MegahertzText(band.to); }
    if (const toml::node* limits = table.get("limit")) {
        const toml::array* array = limits->as_array();
        if (!array) throw Refusal{LineOf(*limits), "limit must be written as [[band.limit]]"};
        for (const toml::node& item : *array) {
            const toml::table* limitTable = item.as_table();
            if (!limitTable) throw Refusal{LineOf(item), "limit must be written as [[band.limit]]"};
            band.limits.push_back(ReadLimit(*limitTable));
        }
    }
    return band;
}

} // namespace

LimitsParse ParseLimits(std::string_view text, const std::string& path) {
    LimitsParse parse;
    parse.error.path = path;
    try {
        const toml::table root = toml::parse(EscapedNonAscii(text), path);
        DatasheetLimits limits;
        limits.path = path;
        if (const toml::node* model = root.get("model")) {
            if (!model->is_string()) throw Refusal{LineOf(*model), "model must be a text"};
            limits.model = *model->value<std::string>();
        }
        const toml::node* bands = root.get("band");
        if (!bands) throw Refusal{1, "no [[band]] in the file"};
        const toml::array* array = bands->as_array();
        if (!array) throw Refusal{LineOf(*bands), "band must be written as [[band]]"};
        for (const toml::node& item : *array) {
            const toml::table* band = item.as_table();
            if (!band) throw Refusal{LineOf(item), "band must be written as [[band]]"};
            limits.bands.push_back(ReadBand(*band));
        }
        parse.limits = std::move(limits);
    } catch (const toml::parse_error& error) {
        parse.error.line = static_cast<int>(error.source().begin.line);
        parse.error.reason = std::string(error.description());
    } catch (const Refusal& refusal) {
        parse.error.line = refusal.line;
        parse.error.reason = refusal.reason;
    }
    return parse;
}

LimitsParse LoadLimitsFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file || file.bad()) {
        LimitsParse parse;
        parse.error = {FailureKind::Unreadable, path, 0, "cannot read the file"};
        return parse;
    }
    return ParseLimits(text.str(), path);
}
