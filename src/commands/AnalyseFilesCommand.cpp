#include "commands/AnalyseFilesCommand.h"

#include "commands/Analysis.h"
#include "commands/StartUp.h"

void AnalyseFilesCommand(Session& session) {
    AnalyseAll(session.Doc());
}
