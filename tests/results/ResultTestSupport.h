#pragma once
#include <string>

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "document/IndicatorSelection.h"

// A document whose selection shows nothing until a test switches flags on.
inline void SelectNothing(CQuadrelDoc& doc) {
    for (const SelectionFlagInfo& flag : SelectionFlags()) doc.selection.SetValue(flag, 0);
}

// Puts a pattern into the table as the loader would name it (no samples), and returns it.
inline PatternFile& AddPattern(CQuadrelDoc& doc, const std::string& fileName,
                               const std::string& folder = "Lab_Proj_qx65_20261208_B01_SN1") {
    const std::string path = "/m/" + folder + "/" + fileName;
    PatternFile& file = doc.table[PatternKey(path)];
    file.key = PatternKey(path);
    file.path = path;
    file.fileName = fileName;
    if (fileName.find('_') == std::string::npos) {
        file.names[kFieldPlane] = "msi";
    } else {
        FillFolderNameFields(folder, file.names);
        FillFileNameFields(fileName, file.names);
    }
    return file;
}
