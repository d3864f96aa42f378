// libFuzzer entry: every reader of pattern and curve files takes the same bytes. Built by
// `make fuzz` with clang's fuzzer, address and undefined-behaviour sanitizers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/ConfigStore.h"
#include "document/CurveFormats.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MsiContent msi;
    ParseMsiText(bytes, msi);
    ExactDataContent exact;
    ParseExactDataText(bytes, exact);
    ParseGainCurve(bytes);
    ParseEnvelopeCurve(bytes);
    DecodeEncrypted(bytes, "p1_p45_h_co_6_0_1800_x.cm");
    DecodeConfigValue("IDC_RADIO_WHOLE", bytes);
    return 0;
}
