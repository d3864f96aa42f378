// Gain-level files as they come (mostly the binary records of two float32 values).
#include "FuzzSupport.h"
#include "document/CurveFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParseGainCurve(fuzz::Bytes(data, size));
    return 0;
}
