// Envelope curve files.
#include "FuzzSupport.h"
#include "document/CurveFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParseEnvelopeCurve(fuzz::Bytes(data, size));
    return 0;
}
