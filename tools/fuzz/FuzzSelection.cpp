// Selection files, read against a document without a configuration store.
#include "FuzzSupport.h"
#include "document/QuadrelDoc.h"
#include "results/SelectionStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile("selection.ini", fuzz::Bytes(data, size));
    CQuadrelDoc doc;
    LoadSelectionFileChange(doc, path);
    return 0;
}
