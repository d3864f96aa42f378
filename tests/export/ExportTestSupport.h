#pragma once
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

// A loaded cut put straight into the table, its names taken from the folder and file name as the
// loader takes them, its results set by hand so that the writers' numbers are known.
inline PatternFile& AddPattern(CQuadrelDoc& doc, const std::string& path, const Cut& samples) {
    const std::string key = ToLower(path);
    PatternFile& file = doc.table[key];
    file.key = key;
    file.path = path;
    file.fileName = LastPathComponent(path);
    FillFileNameFields(file.fileName, file.names);
    FillFolderNameFields(ParentFolderName(path), file.names);
    file.samples = samples;
    return file;
}

// Whole-degree samples from `first` to `last` of a simple beam peaking at 0 degrees.
inline Cut Beam(int first, int last, float peak, double step = 1.0) {
    Cut cut;
    for (double a = first; a <= last + 1e-9; a += step)
        cut.push_back({static_cast<float>(a), static_cast<float>(peak - std::abs(a) * 0.1)});
    return cut;
}

// A horizontal co-polar cut and its vertical partner with known indicators.
inline void AddPair(CQuadrelDoc& doc, const std::string& folder, const std::string& hName,
                    float gain = 17.85f) {
    PatternFile& h = AddPattern(doc, folder + "/" + hName, Beam(-179, 180, 0.0f));
    h.results.Hmax = {0.0f, 0.0f};
    h.results.HBW3 = 65.4f;
    h.results.FBRco = 28.1f;
    h.results.Gain = gain;
    PatternFile& v = AddPattern(doc, PlanePartner(folder + "/" + hName), Beam(-179, 180, -1.0f));
    v.results.Vmax = {0.0f, -1.0f};
    v.results.VBW3 = 7.25f;
}
