#include "cli/TestFolderRuns.h"

#include "cli/CliSupport.h"
#include "commands/StartUp.h"
#include "commands/TestFolderSplit.h"

int LoadByTestFolder(const Session& start, const std::vector<std::string>& files, bool oneBatch,
                     const std::function<void(Session&, int loadStatus)>& use) {
    const std::vector<std::vector<std::string>> runs =
        oneBatch ? std::vector<std::vector<std::string>>{files} : SplitIntoTestFolders(files);
    for (const std::vector<std::string>& run : runs) {
        Session folder;
        folder.doc = std::make_unique<CQuadrelDoc>(start.Doc());
        folder.plot = start.plot;
        const int status = OpenPatternFiles(folder, run);
        use(folder, status);
        if (status != kExitOk) return status;
    }
    return kExitOk;
}
