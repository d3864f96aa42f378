// The text form of a gain-level file: the input follows the header line that marks the form.
#include <string>

#include "FuzzSupport.h"
#include "document/CurveFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = "Frequency(MHz) Gain(dBi)\r\n";
    text.append(fuzz::Bytes(data, size));
    ParseGainCurve(text);
    return 0;
}
