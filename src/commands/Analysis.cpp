#include "commands/Analysis.h"

#include <utility>

#include "analysis/AnalysisDriver.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

void AnalyseFile(CQuadrelDoc& doc, const std::string& key) {
    ResultDraft draft;
    AnalyseFile(std::as_const(doc), key, draft);
    doc.CommitResults(std::move(draft));
}

void AnalyseSelection(CQuadrelDoc& doc) {
    ResultDraft draft;
    AnalyseSelection(std::as_const(doc), draft);
    doc.CommitResults(std::move(draft));
}

void AnalyseAll(CQuadrelDoc& doc) {
    ResultDraft draft;
    AnalyseAll(std::as_const(doc), draft);
    doc.CommitResults(std::move(draft));
}

void RecomputeAll(CQuadrelDoc& doc) {
    ResultDraft draft;
    for (const std::string& path : doc.selectionList)
        AnalyseFile(std::as_const(doc), PatternKey(path), draft);
    doc.CommitResults(std::move(draft));
    doc.GetListener().RefreshCurrentResults();
    doc.GetListener().RefreshAllResults();
}
