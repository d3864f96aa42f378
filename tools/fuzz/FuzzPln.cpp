// PLN files read back for the XML export.
#include "FuzzSupport.h"
#include "export/PlnReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParsePlnText(fuzz::Bytes(data, size));
    return 0;
}
