#pragma once
#include <map>
#include <string>

#include "document/PatternTypes.h"

class CQuadrelDoc;

// The four marker switches and the clear-marks switch (configuration group ID_MENU).
struct MarkerSwitches {
    bool max = false;        // ID_MASKMAXMAG
    bool min = false;        // ID_MASKMINMAG
    bool fsu = false;        // ID_MASKFSU
    bool ssMax = false;      // ID_MASKMAXU
    bool clearMarks = false; // ID_CLEAR_MARK
};

enum class MarkerKind { Max, Min, SsMax, Fsu };

// Named marker points ("Max", "Min", "SS MAX", "FSU") of the first selected pattern.
struct MarkerList {
    std::map<std::string, PatternPoint> points;
    bool dirty = false;
};

const char* MarkerName(MarkerKind kind);

// The first selected pattern present in the table; null when there is none.
const PatternFile* FirstSelectedPattern(const CQuadrelDoc& doc);

// The record point a marker stands on: vertical cuts (plane letter "e") use Vmax / Vmin, every
// other cut HmaxRaw / Hmin.
PatternPoint MarkerPoint(const PatternFile& file, MarkerKind kind);

// Rebuild after a selection change: empty the list, then add every switched-on marker of the first
// selected pattern in the order Max, Min, SS MAX, FSU.
void RebuildMarkerList(const CQuadrelDoc& doc, const MarkerSwitches& switches, MarkerList& list);
// A marker command: (re)insert the marker's point, flip its switch (switching Max on also clears
// the clear-marks switch).
void ToggleMarker(const CQuadrelDoc& doc, MarkerKind kind, MarkerSwitches& switches, MarkerList& list);
// Clear marks: empty the list, flip the clear-marks switch; when it turns on every marker goes off.
void ClearMarks(MarkerSwitches& switches, MarkerList& list);

// The marker switches as stored under ID_MENU ("TRUE" turns one on).
template <typename Reader> MarkerSwitches LoadMarkerSwitches(const Reader& read) {
    MarkerSwitches s;
    s.max = read("ID_MENU", "ID_MASKMAXMAG") == "TRUE";
    s.min = read("ID_MENU", "ID_MASKMINMAG") == "TRUE";
    s.fsu = read("ID_MENU", "ID_MASKFSU") == "TRUE";
    s.ssMax = read("ID_MENU", "ID_MASKMAXU") == "TRUE";
    s.clearMarks = read("ID_MENU", "ID_CLEAR_MARK") == "TRUE";
    return s;
}

// Where a marker is shown on the drawn cut. The vertical analysis turns a cut whose maximum faces
// backwards by 180 degrees and keeps its extremes and side lobes in that turned frame; the marker is
// turned back so that it sits on the curve the user sees.
PatternPoint DisplayedMarkerPoint(const PatternFile& file, const std::string& name, PatternPoint point);
