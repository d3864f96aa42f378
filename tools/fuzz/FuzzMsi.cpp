// MSI and Exact Data pattern files through the document's loader: the reader, the maxima and the
// name fields of a file in a campaign folder.
#include <filesystem>

#include "FuzzSupport.h"
#include "document/QuadrelDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        const std::string path = fuzz::ScratchFolder() + "/Lab1_Proj7_QX6518_20261208_B01_SN00001";
        std::filesystem::create_directories(path);
        return path;
    }();
    const std::string path = folder + "/p1_p45_h_co_6_0_1800.msi";
    fuzz::WriteScratchFile("Lab1_Proj7_QX6518_20261208_B01_SN00001/p1_p45_h_co_6_0_1800.msi",
                           fuzz::Bytes(data, size));
    CQuadrelDoc doc;
    doc.LoadPatternFile(path);
    return 0;
}
