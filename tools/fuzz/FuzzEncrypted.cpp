// The encrypted ".cm" form. The first byte picks the frequency token of the file name, so the
// seed derivation is exercised too.
#include "FuzzSupport.h"
#include "document/EncryptedFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kNames[] = {"p1_p45_h_co_6_0_1800_x.cm", "p1_p45_h_co_6_0_0900.cm",
                                         "a_b_c_d_e_f_-99999999999_.cm", "short.cm", ""};
    const std::string_view name = size > 0 ? kNames[data[0] % 5] : kNames[0];
    DecodeEncrypted(fuzz::Bytes(data, size), name);
    return 0;
}
