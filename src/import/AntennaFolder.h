#pragma once
#include <string>
#include <vector>

// Puts the cuts of one antenna folder below an output folder all or nothing. The cuts are written
// into a hidden folder of this program beside the antenna folder (each created new, never through a
// link), then moved into place without replacing anything: the whole folder when it is new, cut by
// cut when it exists. Of two imports that race for the same names one wins and the other fails with
// the clash named; no folder ever holds a mix of the two.

struct CutToPlace {
    std::string name; // file name inside the antenna folder
    std::string text;
};

// Empty on success, else why nothing was placed (the clashing or failing path named).
std::string PlaceAntennaFolder(const std::string& outFolder, const std::string& folderName,
                               const std::vector<CutToPlace>& cuts);
