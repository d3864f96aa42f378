#include "operations/PatternDrag.h"

#include "analysis/DoneFlags.h"
#include "commands/Analysis.h"
#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

PatternFile* DraggedPattern(CQuadrelDoc& doc) {
    const std::vector<PatternFile*> files = SelectedFiles(doc);
    return files.empty() ? nullptr : files.front();
}

bool DragPatternBy(CQuadrelDoc& doc, double deltaDb) {
    PatternFile* file = DraggedPattern(doc);
    if (!file) return false;
    file->showDisplayCopy = false;
    for (PatternPoint& point : file->samples) point.fMag = static_cast<float>(point.fMag + deltaDb);
    ClearDoneFlags(file->results, {kDoneHCo, kDoneVCo, kDoneUnused, kDoneHCr, kDoneVCr});
    AnalyseFile(doc, file->key);
    return true;
}
