#pragma once
#include <string>
#include <utility>
#include <vector>

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

// Pattern files and gain curves put straight into a document, named as a lab names them, so that
// the name fields (port, plane, component, tilt, frequency) drive the analysis as after loading.
inline const std::string kTest = "/m/Site_Proj_ModelA_20240101_B1_S1/";
inline const std::string kGainFolder = "/m/gain level/";

inline PatternFile& AddPattern(CQuadrelDoc& doc, const std::string& fileName, float gain = NOT_SET,
                               Cut samples = {}) {
    PatternFile file;
    file.path = kTest + fileName;
    file.key = PatternKey(file.path);
    file.fileName = fileName;
    FillFolderNameFields("Site_Proj_ModelA_20240101_B1_S1", file.names);
    FillFileNameFields(fileName, file.names);
    file.headerValue = static_cast<float>(ParseLeadingDouble(file.names[kFieldFrequency]));
    file.samples = std::move(samples);
    file.results.Gain = gain;
    return doc.table[file.key] = std::move(file);
}

inline void AddCurve(CQuadrelDoc& doc, const std::string& fileName, std::vector<PatternPoint> points) {
    CurveFile curve;
    curve.path = kGainFolder + fileName;
    curve.fileName = fileName;
    curve.points = std::move(points);
    doc.gainCurves[curve.path] = std::move(curve);
}
