#pragma once

struct Session;

// Every loaded file analysed as the export analyses it: the results the command line prints and
// checks. Files whose done flags say they are analysed keep their results.
void AnalyseFilesCommand(Session& session);
