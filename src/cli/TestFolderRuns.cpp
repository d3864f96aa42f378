#include "cli/TestFolderRuns.h"

#include "cli/CliSupport.h"
#include "commands/TestFolderSplit.h"
#include "document/QuadrelDoc.h"

int LoadByTestFolder(const CQuadrelDoc& start, const std::vector<std::string>& files, bool oneBatch,
                     const std::function<void(CQuadrelDoc&)>& use) {
    const std::vector<std::vector<std::string>> runs =
        oneBatch ? std::vector<std::vector<std::string>>{files} : SplitIntoTestFolders(files);
    for (const std::vector<std::string>& run : runs) {
        CQuadrelDoc doc = start;
        const int status = OpenPatternFiles(doc, run);
        use(doc);
        if (status != kExitOk) return status;
    }
    return kExitOk;
}
