// Selection files, loaded into a document without a configuration store (nothing is written back).
#include "FuzzSupport.h"
#include "document/QuadrelDoc.h"
#include "results/SelectionStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile("selection.ini", fuzz::Bytes(data, size));
    CQuadrelDoc doc;
    LoadSelectionFile(doc, path);
    return 0;
}
