#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "document/PatternTypes.h"

// The encrypted binary form of a pattern file (".cm"): a float64 frequency, a float32 gain (dBi),
// an int32 count, then scrambled sample words seeded by the frequency token of the file name.
struct EncryptedContent {
    float frequency = 0.0f;
    float gainDbi = NOT_SET;
    int32_t count = 0;
    Cut samples;
};

// The seed of the scrambling: the integer value of token 6 of the file name without its last four
// characters.
uint32_t EncryptionSeed(std::string_view fileName);

// Decodes any bytes; a header cut short leaves its missing fields at their defaults, trailing bytes
// that do not make a whole sample are ignored.
EncryptedContent DecodeEncrypted(std::string_view bytes, std::string_view fileName);
std::string EncodeEncrypted(const EncryptedContent& content, std::string_view fileName);
