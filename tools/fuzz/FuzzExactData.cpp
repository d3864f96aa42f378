// Exact Data text, straight into its parser (the loader picks it by the words in the first bytes).
#include "FuzzSupport.h"
#include "document/ExactDataFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ExactDataContent content;
    ParseExactDataText(fuzz::Bytes(data, size), content);
    LooksLikeExactData(fuzz::Bytes(data, size));
    return 0;
}
