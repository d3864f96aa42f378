// Datasheet limits (TOML): read, and when accepted, checked against a small analysed table.
#include "FuzzSupport.h"
#include "conformance/Conformance.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LimitsParse parse = ParseLimits(fuzz::Bytes(data, size), "limits.toml");
    if (!parse.limits) {
        parse.error.Describe();
        return 0;
    }
    PatternTable table;
    for (int i = 0; i < 4; ++i) {
        PatternFile file;
        file.key = std::to_string(i);
        file.names[kFieldPort] = i % 2 ? "p1" : "p2";
        file.names[kFieldTilt] = std::to_string(i);
        file.names[kFieldFrequency] = std::to_string(1700 + 100 * i);
        file.results.HBW3 = 60.0f + static_cast<float>(i);
        file.results.FBRco = i == 3 ? NOT_SET : 25.0f;
        table[file.key] = file;
    }
    CheckConformance(table, *parse.limits);
    return 0;
}
