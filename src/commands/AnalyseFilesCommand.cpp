#include "commands/AnalyseFilesCommand.h"

#include "analysis/AnalysisDriver.h"
#include "commands/StartUp.h"

void AnalyseFilesCommand(Session& session) {
    AnalyseAll(session.Doc());
}
