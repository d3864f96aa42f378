#include "document/EncryptedFormat.h"

#include <bit>
#include <cstring>

#include "app/TextUtil.h"
#include "document/PatternText.h"

namespace {
// The classic linear congruential generator; its sequence is part of the file format.
class ScrambleGenerator {
  public:
    explicit ScrambleGenerator(uint32_t seed) : m_state(seed) {}
    uint32_t Next() {
        m_state = m_state * 214013u + 2531011u;
        return (m_state >> 16) & 0x7FFFu;
    }

  private:
    uint32_t m_state;
};

template <typename T> T ReadLE(std::string_view bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof(T)); // the format and this machine are little-endian
    return value;
}

template <typename T> void AppendLE(std::string& out, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.append(raw, sizeof(T));
}

float Complement(uint32_t word) {
    return std::bit_cast<float>(~word);
}
uint32_t Scramble(double value) {
    return ~std::bit_cast<uint32_t>(static_cast<float>(value));
}

struct Offsets {
    double angle;
    double level;
};
Offsets NextOffsets(ScrambleGenerator& generator) {
    const uint32_t r = generator.Next() % 10000u;
    return {static_cast<double>(r % 100u) + r, static_cast<double>((2u * r) % 100u) + r};
}
} // namespace

uint32_t EncryptionSeed(std::string_view fileName) {
    std::string_view stem =
        fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string_view{};
    auto tokens = SplitLimited(stem, '_', 20);
    return tokens.size() > 6 ? static_cast<uint32_t>(ParseLeadingInt(tokens[6])) : 0u;
}

EncryptedContent DecodeEncrypted(std::string_view bytes, std::string_view fileName) {
    static_assert(std::endian::native == std::endian::little);
    EncryptedContent content;
    if (bytes.size() >= 8) content.frequency = StoredFloat(ReadLE<double>(bytes, 0));
    if (bytes.size() >= 12) content.gainDbi = StoredFloat(ReadLE<float>(bytes, 8));
    if (bytes.size() >= 16) content.count = ReadLE<int32_t>(bytes, 12);
    ScrambleGenerator generator(EncryptionSeed(fileName));
    for (size_t offset = 16; offset + 8 <= bytes.size(); offset += 8) {
        const Offsets o = NextOffsets(generator);
        const double angle = static_cast<double>(Complement(ReadLE<uint32_t>(bytes, offset))) - o.angle;
        const double level = static_cast<double>(Complement(ReadLE<uint32_t>(bytes, offset + 4))) - o.level;
        content.samples.push_back({StoredFloat(angle), StoredFloat(level)});
    }
    return content;
}

std::string EncodeEncrypted(const EncryptedContent& content, std::string_view fileName) {
    std::string out;
    out.reserve(16 + 8 * content.samples.size());
    AppendLE<double>(out, content.frequency);
    AppendLE<float>(out, content.gainDbi);
    AppendLE<int32_t>(out, content.count);
    ScrambleGenerator generator(EncryptionSeed(fileName));
    for (const PatternPoint& p : content.samples) {
        const Offsets o = NextOffsets(generator);
        AppendLE<uint32_t>(out, Scramble(p.fAngle + o.angle));
        AppendLE<uint32_t>(out, Scramble(p.fMag + o.level));
    }
    return out;
}
