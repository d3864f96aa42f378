// The selection list and how it grows by the partner relations.
#include <algorithm>

#include "document/Naming.h"
#include "document/QuadrelDoc.h"

void CQuadrelDoc::AppendPartner(const std::string& partnerPath, std::vector<std::string>& added) {
    const std::string key = PatternKey(partnerPath);
    if (!table.count(key)) return;
    if (std::find(selectionList.begin(), selectionList.end(), key) != selectionList.end()) return;
    selectionList.push_back(key);
    added.push_back(key);
}

bool CQuadrelDoc::AddToSelection(const std::string& path, std::vector<std::string>& added) {
    // Selection entries are keys, so one file selected under two spellings is selected once.
    const std::string key = PatternKey(path);
    if (std::find(selectionList.begin(), selectionList.end(), key) != selectionList.end()) return false;
    selectionList.push_back(key);
    if (toggles.withCoCross) AppendPartner(CoCrossPartner(key), added);
    if (toggles.withPolarisation) {
        const std::string polarisation = PolarisationPartner(key);
        AppendPartner(polarisation, added);
        if (toggles.withCoCross) AppendPartner(CoCrossPartner(polarisation), added);
    }
    if (toggles.withPlane) {
        const std::string plane = PlanePartner(key);
        AppendPartner(plane, added);
        if (toggles.withCoCross) AppendPartner(CoCrossPartner(plane), added);
        if (toggles.withPolarisation) {
            const std::string planePolarisation = PolarisationPartner(plane);
            AppendPartner(planePolarisation, added);
            if (toggles.withCoCross) AppendPartner(CoCrossPartner(planePolarisation), added);
        }
    }
    return true;
}

void CQuadrelDoc::SetToggle(SelectionToggle toggle, bool on) {
    switch (toggle) {
    case SelectionToggle::Single:
        toggles.single = on;
        if (on) toggles.withCoCross = toggles.withPlane = toggles.withPolarisation = false;
        return;
    case SelectionToggle::CoCross:
        toggles.withCoCross = on;
        break;
    case SelectionToggle::Plane:
        toggles.withPlane = on;
        break;
    case SelectionToggle::Polarisation:
        toggles.withPolarisation = on;
        break;
    }
    if (on) toggles.single = false;
}

void CQuadrelDoc::FlipToggle(SelectionToggle toggle) {
    SetToggle(toggle, !ToggleState(toggle));
}

bool CQuadrelDoc::ToggleState(SelectionToggle toggle) const {
    switch (toggle) {
    case SelectionToggle::Single:
        return toggles.single;
    case SelectionToggle::CoCross:
        return toggles.withCoCross;
    case SelectionToggle::Plane:
        return toggles.withPlane;
    case SelectionToggle::Polarisation:
        return toggles.withPolarisation;
    }
    return false;
}
