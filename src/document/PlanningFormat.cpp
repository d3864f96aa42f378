#include "document/PlanningFormat.h"

#include <algorithm>
#include <cmath>

#include "app/TextUtil.h"

namespace {
// No dB figure of an antenna comes near this; anything beyond is not a pattern value.
constexpr double kLargestValue = 1000.0;
constexpr double kDbdToDbi = 2.15;
// What an antenna's header can plausibly say: 1 kHz to 300 GHz, a tilt within a right angle.
constexpr double kLowestMhz = 0.001;
constexpr double kHighestMhz = 300000.0;
constexpr double kSteepestTilt = 90.0;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// A whole token as a decimal number: optional sign, digits with an optional point, optional
// exponent; nothing else (no "inf", "nan", hexadecimal or trailing text).
bool WholeNumber(std::string_view token, double& value) {
    size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    size_t digits = 0;
    while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < token.size() && IsDigit(token[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != token.size()) return false;
    value = ParseLeadingDouble(token);
    return std::isfinite(value);
}

// A value that starts with a number and may go on with a unit ("13.6 dBd", "15.00dBi", "1800 MHz").
bool NumberAndUnit(std::string_view value, double& number, std::string& unit) {
    size_t end = 0;
    while (end < value.size() &&
           (IsDigit(value[end]) || std::string_view("+-.eE").find(value[end]) != std::string_view::npos))
        ++end;
    // An exponent letter that starts the unit ("15dBi" has none, "3e" would) is given back.
    while (end > 0 && (value[end - 1] == 'e' || value[end - 1] == 'E')) --end;
    unit = ToLower(Trim(value.substr(end)));
    return WholeNumber(value.substr(0, end), number);
}

// Splits lines at LF, CR LF or a lone CR, counting them from 1.
class AnyLineEnds {
  public:
    explicit AnyLineEnds(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        const size_t end = m_text.find_first_of("\r\n", m_pos);
        if (end == std::string_view::npos) {
            line = m_text.substr(m_pos);
            m_pos = m_text.size();
        } else {
            line = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
            if (m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_pos;
        }
        ++m_number;
        return true;
    }
    int Number() const { return m_number; }

  private:
    std::string_view m_text;
    size_t m_pos = 0;
    int m_number = 0;
};

// "angle value" with blanks, tabs or one comma between them.
bool SplitRow(std::string_view line, double& angle, double& value) {
    const size_t sep = line.find_first_of(" \t,");
    if (sep == std::string_view::npos) return false;
    std::string_view second = Trim(line.substr(sep + 1));
    if (line[sep] != ',' && !second.empty() && second.front() == ',') second = Trim(second.substr(1));
    return WholeNumber(line.substr(0, sep), angle) && WholeNumber(second, value);
}

std::string Quoted(std::string_view line) {
    constexpr size_t kShown = 60;
    std::string shown = PrintableText(line.substr(0, kShown));
    if (line.size() > kShown) shown += "...";
    return "\"" + shown + "\"";
}

// A header number written with a decimal comma ("24,4 dBi"): the value holds exactly one comma,
// between digits, and no point; the comma is read as a point.
bool DecimalComma(std::string_view value, std::string& withPoint) {
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos || value.find(',', comma + 1) != std::string_view::npos ||
        value.find('.') != std::string_view::npos || comma == 0 || comma + 1 >= value.size() ||
        !IsDigit(value[comma - 1]) || !IsDigit(value[comma + 1]))
        return false;
    withPoint = std::string(value);
    withPoint[comma] = '.';
    return true;
}

bool HasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsDigit);
}

struct Reader {
    PlanningPattern& out;
    PlanningError& error;
    PlanningCut* block = nullptr; // the block whose rows are being read
    bool hasFrequency = false;
    std::vector<std::pair<std::string, int>> keyLines; // header keys read so far, with their lines

    bool Fail(int line, std::string text) {
        error = {FailureKind::Refused, {}, line, std::move(text)};
        return false;
    }

    void Warn(int line, const std::string& text) {
        out.warnings.push_back("line " + std::to_string(line) + ": " + text);
    }

    // A key given twice: the later line's value is used, and both lines are named.
    void NoteKey(int lineNumber, const std::string& key) {
        for (const auto& [seen, line] : keyLines)
            if (seen == key) {
                Warn(lineNumber, key + " is given twice (lines " + std::to_string(line) + " and " +
                                     std::to_string(lineNumber) + "); the value of line " +
                                     std::to_string(lineNumber) + " is used");
                return;
            }
        keyLines.emplace_back(key, lineNumber);
    }

    // NumberAndUnit, and with a warning the same value with its one decimal comma read as a point.
    bool HeaderNumber(int lineNumber, const std::string& key, const std::string& value, double& number,
                      std::string& unit) {
        std::string withPoint;
        if (!DecimalComma(value, withPoint) || !NumberAndUnit(withPoint, number, unit))
            return NumberAndUnit(value, number, unit);
        Warn(lineNumber, key + " " + Quoted(value) + " has a decimal comma; read as " +
                             FormatShortestFloat(static_cast<float>(number)));
        return true;
    }

    bool Tilt(int lineNumber, const std::string& key, const std::string& value, double tilt) {
        if (std::fabs(tilt) <= kSteepestTilt) return true;
        return Fail(lineNumber, key + " " + Quoted(value) + " lies outside -90...90 degrees");
    }

    bool Row(int lineNumber, std::string_view line) {
        if (!block) return Fail(lineNumber, "a data row outside a HORIZONTAL or VERTICAL block");
        double angle = 0, value = 0;
        if (!SplitRow(line, angle, value))
            return Fail(lineNumber, "expected an angle and a value, found " + Quoted(line));
        if (angle < -180.0 || angle > 360.0)
            return Fail(lineNumber, "angle " + FormatShortestFloat(static_cast<float>(angle)) +
                                        " lies outside -180...360");
        if (std::fabs(value) > kLargestValue)
            return Fail(lineNumber, "value " + FormatShortestFloat(static_cast<float>(value)) +
                                        " is no pattern level in dB");
        block->points.push_back({static_cast<float>(angle), static_cast<float>(value)});
        return true;
    }

    bool Key(int lineNumber, std::string_view line) {
        const size_t sep = line.find_first_of(" \t");
        const std::string key = ToUpper(line.substr(0, sep));
        const std::string value(sep == std::string_view::npos ? std::string_view{} : Trim(line.substr(sep)));
        block = nullptr;
        // Keys of one value each; other keys keep every line.
        static constexpr std::string_view kSingleKeys[] = {"NAME",
                                                           "FILENAME",
                                                           "MAKE",
                                                           "FREQUENCY",
                                                           "GAIN",
                                                           "ELECTRICAL_TILT",
                                                           "MECHANICAL_TILT",
                                                           "TILT",
                                                           "POLARIZATION",
                                                           "POLARISATION",
                                                           "COMMENT",
                                                           "H_WIDTH",
                                                           "V_WIDTH",
                                                           "FRONT_TO_BACK"};
        if (std::find(std::begin(kSingleKeys), std::end(kSingleKeys), key) != std::end(kSingleKeys))
            NoteKey(lineNumber, key);
        if (key == "HORIZONTAL" || key == "VERTICAL") {
            PlanningCut& cut = key == "HORIZONTAL" ? out.horizontal : out.vertical;
            if (cut.line != 0)
                return Fail(lineNumber, "a second " + key + " block (the first is at line " +
                                            std::to_string(cut.line) + ")");
            double count = 0;
            const bool oneToken = value.find_first_of(" \t,") == std::string::npos;
            if (!value.empty() && !oneToken) {
                // The first row glued onto the block line: its count cannot be trusted.
                Warn(lineNumber, key + " line holds more than a row count (" + Quoted(value) +
                                     "); it is not read, the rows after it are");
            } else if (!value.empty() && (!WholeNumber(value, count) || count < 1 || count > 100000 ||
                                          count != std::floor(count))) {
                return Fail(lineNumber, key + " needs a row count, found " + Quoted(value));
            }
            cut.line = lineNumber;
            cut.announced = value.empty() || !oneToken ? -1 : static_cast<int>(count);
            block = &cut;
        } else if (key == "NAME" || key == "FILENAME") {
            out.name = value;
        } else if (key == "MAKE") {
            out.make = value;
        } else if (key == "FREQUENCY") {
            std::string unit;
            if (!HeaderNumber(lineNumber, key, value, out.frequencyMhz, unit) ||
                !(unit.empty() || unit == "mhz"))
                return Fail(lineNumber, "FREQUENCY needs a number of MHz, found " + Quoted(value));
            if (!(out.frequencyMhz >= kLowestMhz && out.frequencyMhz <= kHighestMhz))
                return Fail(lineNumber, "FREQUENCY " + Quoted(value) + " lies outside 1 kHz...300 GHz");
            hasFrequency = true;
        } else if (key == "GAIN") {
            out.hasGain = false;
            if (value.empty()) return true; // a tool that knew no gain
            if (!HasDigit(value)) {
                // A placeholder ("xx.xxdBi") in a file whose cuts are intact.
                Warn(lineNumber,
                     "GAIN " + Quoted(value) + " holds no number; the cuts are imported without a gain");
                return true;
            }
            double gain = 0;
            std::string unit;
            if (!HeaderNumber(lineNumber, key, value, gain, unit) || std::fabs(gain) > kLargestValue ||
                !(unit.empty() || unit == "dbi" || unit == "dbd"))
                return Fail(lineNumber, "GAIN needs a number in dBi or dBd, found " + Quoted(value));
            // dBi as it is; dBd, or no unit (the planning tools' default), gets the dipole's 2.15 dB.
            out.hasGain = true;
            out.gainDbi = unit == "dbi" ? gain : gain + kDbdToDbi;
            out.gainAsWritten = value;
        } else if (key == "ELECTRICAL_TILT" || key == "MECHANICAL_TILT") {
            const bool electrical = key == "ELECTRICAL_TILT";
            double tilt = 0;
            std::string unit;
            if (!value.empty() && !HeaderNumber(lineNumber, key, value, tilt, unit))
                return Fail(lineNumber, key + " needs a number of degrees, found " + Quoted(value));
            if (!Tilt(lineNumber, key, value, tilt)) return false;
            (electrical ? out.hasElectricalTilt : out.hasMechanicalTilt) = !value.empty();
            (electrical ? out.electricalTilt : out.mechanicalTilt) = tilt;
        } else if (key == "TILT") {
            out.tilt = value;
            double tilt = 0;
            std::string unit;
            if (HeaderNumber(lineNumber, key, value, tilt, unit)) {
                if (!Tilt(lineNumber, key, value, tilt)) return false;
                out.hasElectricalTilt = true;
                out.electricalTilt = tilt;
            }
        } else if (key == "POLARIZATION" || key == "POLARISATION") {
            out.polarization = value;
        } else if (key == "COMMENT") {
            out.comment = value;
        } else if (key == "H_WIDTH") {
            out.hWidth = value;
        } else if (key == "V_WIDTH") {
            out.vWidth = value;
        } else if (key == "FRONT_TO_BACK") {
            out.frontToBack = value;
        } else {
            out.otherKeys.emplace_back(key, value);
        }
        return true;
    }

    // Orders a block by angle in [0, 360) and checks it holds each angle once; -180 and 180 are
    // one direction, and the first of them is kept.
    bool Finish(PlanningCut& cut, const char* key, int endLine) {
        if (cut.line == 0) return Fail(endLine, std::string("no ") + key + " block");
        if (cut.points.empty()) return Fail(cut.line, std::string(key) + " block without rows");
        if (cut.announced >= 0 && static_cast<size_t>(cut.announced) != cut.points.size())
            out.warnings.push_back(std::string(key) + " at line " + std::to_string(cut.line) + " announces " +
                                   std::to_string(cut.announced) + " rows, the block holds " +
                                   std::to_string(cut.points.size()));
        std::vector<std::pair<PatternPoint, float>> rows; // (folded point, angle as written)
        rows.reserve(cut.points.size());
        for (const PatternPoint& p : cut.points) {
            const float folded = p.fAngle < 0.0f ? p.fAngle + 360.0f : p.fAngle == 360.0f ? 0.0f : p.fAngle;
            rows.push_back({{folded, p.fMag}, p.fAngle});
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return a.first.fAngle < b.first.fAngle; });
        cut.points.clear();
        float lastWritten = 0.0f;
        for (const auto& [point, written] : rows) {
            if (!cut.points.empty() && cut.points.back().fAngle == point.fAngle) {
                if (std::fabs(written) == 180.0f) continue;
                if (written == 360.0f || lastWritten == 360.0f) {
                    // 360 degrees is 0 degrees: the 0 row stands, a differing level is worth a word.
                    const float atZero = written == 360.0f ? cut.points.back().fMag : point.fMag;
                    const float atTurn = written == 360.0f ? point.fMag : cut.points.back().fMag;
                    out.warnings.push_back(
                        std::string(key) + " at line " + std::to_string(cut.line) + ": the row at 360 " +
                        (atZero == atTurn
                             ? "repeats the row at 0 and is dropped"
                             : "(" + FormatShortestFloat(atTurn) + ") differs from the row at 0 (" +
                                   FormatShortestFloat(atZero) + "); the row at 0 is kept"));
                    cut.points.back().fMag = atZero;
                    lastWritten = 0.0f;
                    continue;
                }
                return Fail(cut.line, std::string(key) + " block holds angle " +
                                          FormatShortestFloat(written) + " twice");
            }
            cut.points.push_back(point);
            lastWritten = written;
        }
        return true;
    }
};

// Windows tools write UTF-16 text with a byte-order mark; it is read as the UTF-8 it stands for
// (a lone or reversed surrogate becomes U+FFFD, an odd last byte is dropped).
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) -> unsigned {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return littleEndian ? a | (b << 8) : (a << 8) | b;
    };
    auto append = [&out](unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned first = unit(i);
        if (first >= 0xD800 && first < 0xDC00 && i + 3 < bytes.size()) {
            const unsigned second = unit(i + 2);
            if (second >= 0xDC00 && second < 0xE000) {
                append(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                i += 2;
                continue;
            }
        }
        append(first >= 0xD800 && first < 0xE000 ? 0xFFFD : first);
    }
    return out;
}

// Text of ASCII letters and digits in UTF-16: the zero bytes sit at every other position.
bool LooksLikeUtf16(std::string_view text) {
    size_t zeroEven = 0, zeroOdd = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\0') ++(i % 2 == 0 ? zeroEven : zeroOdd);
    const size_t pairs = text.size() / 2;
    return pairs > 0 && (zeroEven * 4 >= pairs * 3 || zeroOdd * 4 >= pairs * 3) &&
           (zeroEven == 0 || zeroOdd == 0);
}

// Levels (0 at the peak, negative elsewhere) instead of attenuation: every value at or below 0
// and some below.
void LevelsToAttenuation(PlanningPattern& pattern) {
    auto allLevels = [](const PlanningCut& cut) {
        return std::all_of(cut.points.begin(), cut.points.end(),
                           [](const auto& p) { return p.fMag <= 0.0f; });
    };
    auto someBelow = [](const PlanningCut& cut) {
        return std::any_of(cut.points.begin(), cut.points.end(), [](const auto& p) { return p.fMag < 0.0f; });
    };
    if (!allLevels(pattern.horizontal) || !allLevels(pattern.vertical)) return;
    if (!someBelow(pattern.horizontal) && !someBelow(pattern.vertical)) return;
    for (PlanningCut* cut : {&pattern.horizontal, &pattern.vertical})
        for (PatternPoint& p : cut->points) p.fMag = -p.fMag;
}
} // namespace

bool ParsePlanningText(std::string_view text, PlanningPattern& out, PlanningError& error) {
    out = PlanningPattern{};
    error = {};
    if (text.size() >= 2 && (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF"))
        return ParsePlanningText(Utf16ToUtf8(text.substr(2), text[0] == '\xFF'), out, error);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (text.find('\0') != std::string_view::npos) {
        error = {FailureKind::Refused,
                 {},
                 0,
                 LooksLikeUtf16(text) ? "UTF-16 without a byte-order mark; save it as UTF-8 or with one"
                                      : "binary data, not a pattern text"};
        return false;
    }
    Reader reader{out, error, nullptr, false, {}};
    AnyLineEnds lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view content = Trim(line);
        if (content.empty()) continue;
        const char first = content.front();
        const bool ok =
            IsLetter(first) ? reader.Key(lines.Number(), content)
            : (IsDigit(first) || first == '-' || first == '+' || first == '.')
                ? reader.Row(lines.Number(), content)
                : reader.Fail(lines.Number(), "neither a header key nor a data row: " + Quoted(content));
        if (!ok) return false;
    }
    const int end = lines.Number() + 1;
    if (!reader.hasFrequency) return reader.Fail(end, "no FREQUENCY line");
    if (!reader.Finish(out.horizontal, "HORIZONTAL", end) || !reader.Finish(out.vertical, "VERTICAL", end))
        return false;
    LevelsToAttenuation(out);
    return true;
}

bool LooksLikePlanningText(std::string_view text) {
    bool horizontal = false, vertical = false;
    AnyLineEnds lines(text);
    std::string_view line;
    while (lines.Next(line) && !(horizontal && vertical)) {
        const std::string_view content = Trim(line);
        if (content.size() < 8 || !IsLetter(content.front())) continue;
        const std::string key = ToUpper(content.substr(0, content.find_first_of(" \t")));
        horizontal = horizontal || key == "HORIZONTAL";
        vertical = vertical || key == "VERTICAL";
    }
    return horizontal && vertical;
}

bool HasPlanningExtension(std::string_view fileName) {
    const std::string lower = ToLower(fileName);
    return EndsWith(lower, ".pln") || EndsWith(lower, ".txt");
}
