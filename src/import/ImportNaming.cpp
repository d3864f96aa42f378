#include <array>
#include <charconv>
#include <cmath>

#include "app/TextUtil.h"
#include "document/PatternText.h"
#include "import/PlanningImport.h"

std::string NameToken(std::string_view text, const char* fallback) {
    std::string token;
    for (char c : text) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == '.' || c == '+' || c == '-';
        if (kept)
            token += c;
        else if (!token.empty() && token.back() != '-')
            token += '-';
    }
    while (!token.empty() && (token.back() == '-' || token.back() == '.')) token.pop_back();
    while (!token.empty() && token.front() == '.') token.erase(0, 1);
    constexpr size_t kLongest = 40;
    if (token.size() > kLongest) token.resize(kLongest);
    return token.empty() ? fallback : token;
}

namespace {

// The shortest decimal that reads back as the stored value, never in exponent form ("300000", not
// "3e+05"), so that a name holds only digits, a point and a sign.
std::string Number(double value) {
    float stored = StoredFloat(value);
    if (stored == 0.0f) stored = 0.0f; // "0", never "-0"
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), stored, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == '_' || c == ' ' || c == '\t' || c == '.' || c == ',' || c == '(' || c == ')') {
            if (!word.empty()) words.push_back(ToLower(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(ToLower(word));
    return words;
}

// "+45" / "P45" / "X+45" and "-45" / "M45" / "N45" as a word of the text; empty when none.
std::string SlantOf(std::string_view text) {
    for (const std::string& word : Words(text)) {
        if (word == "p45" || word == "+45" || EndsWith(word, "+45")) return "P45";
        if (word == "m45" || word == "n45" || word == "-45" || word == "x-45") return "M45";
    }
    return {};
}

std::string PolarisationOf(const PlanningPattern& pattern, std::string_view stem) {
    const std::string declared = ToLower(pattern.polarization);
    if (std::string slant = SlantOf(declared); !slant.empty()) return slant;
    if (declared == "vertical" || declared == "v" || declared == "vert" || declared == "v90") return "V90";
    for (std::string_view text : {std::string_view(pattern.name), std::string_view(pattern.comment), stem})
        if (std::string slant = SlantOf(text); !slant.empty()) return slant;
    return "X";
}

// "04T", "2t", "4E" (a vendor's tilt variant) as a word of a name; false when none.
bool TiltWord(std::string_view text, double& tilt) {
    std::string spaced(text);
    for (char& c : spaced)
        if (c == '-') c = ' ';
    for (const std::string& word : Words(spaced)) {
        if (word.size() < 2 || word.size() > 3 || (word.back() != 't' && word.back() != 'e')) continue;
        const std::string digits = word.substr(0, word.size() - 1);
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        tilt = ParseLeadingInt(digits);
        return true;
    }
    return false;
}

double TiltOf(const PlanningPattern& pattern, std::string_view stem) {
    if (pattern.hasElectricalTilt) return pattern.electricalTilt;
    double tilt = 0;
    if (TiltWord(pattern.name, tilt) || TiltWord(stem, tilt)) return tilt;
    // "COMMENT DATE 18.11.2011 -45 degrees polarized system Lever position 2 deg"
    const std::string comment = ToLower(pattern.comment);
    const size_t lever = comment.find("lever position");
    if (lever != std::string::npos) {
        const double tilt = ParseLeadingDouble(std::string_view(comment).substr(lever + 14));
        // A free text may say anything; only a tilt within a right angle names a cut.
        if (std::isfinite(tilt) && std::fabs(tilt) <= 90.0) return tilt;
    }
    return 0.0;
}
} // namespace

ImportNaming NamingOf(const PlanningPattern& pattern, const std::string& sourcePath,
                      const ImportOptions& options) {
    std::string stem = LastPathComponent(sourcePath);
    stem = stem.substr(0, stem.rfind('.'));
    ImportNaming naming;
    naming.model = NameToken(options.model.empty() ? stem.substr(0, stem.find('_')) : options.model, "Model");
    naming.make = NameToken(pattern.make, "Vendor");
    naming.polarisation = options.polarisation.empty() ? PolarisationOf(pattern, stem) : options.polarisation;
    naming.tilt = Number(TiltOf(pattern, stem));
    naming.frequency = Number(pattern.frequencyMhz);
    return naming;
}
