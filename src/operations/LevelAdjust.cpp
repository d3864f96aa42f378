#include "operations/LevelAdjust.h"

#include <vector>

#include "analysis/SettingsKeys.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

namespace {

double LevelAmount(CQuadrelDoc& doc, const PatternFile& file, const LevelSettings& settings) {
    if (settings.byValue) return settings.adjustValue;
    const PatternFile* followed = FollowedCut(doc, file);
    return settings.targetLevel - (followed ? ReferenceLevel(*followed) : 0.0);
}

bool InRange(const LevelSettings& settings, float angle) {
    switch (settings.rangeMode) {
    case LevelSettings::Overall:
        return true;
    // Both bounds are excluded and the range does not wrap through +-180.
    case LevelSettings::AngleRange:
        return settings.fromAngle < angle && angle < settings.toAngle;
    default:
        return false;
    }
}

} // namespace

LevelForm OpenLevelForm(const CQuadrelDoc& doc) {
    LevelForm form;
    const bool partChecked = doc.ReadConfig(kLevelSection, kLevelPartKey) == kTrueText;
    const bool wholeChecked = doc.ReadConfig(kLevelSection, kLevelWholeKey) == kTrueText;
    form.overall = wholeChecked || !partChecked;
    form.fromText = doc.ReadConfig(kLevelSection, kLevelFromKey);
    form.toText = doc.ReadConfig(kLevelSection, kLevelToKey);
    form.byValue = doc.levelAdjust.byValue;
    form.valueText = FormatShortestFloat(doc.levelAdjust.adjustValue);
    form.targetText = FormatShortestFloat(doc.levelAdjust.targetLevel);
    return form;
}

LevelSettings AcceptLevelForm(CQuadrelDoc& doc, const LevelForm& form) {
    LevelSettings settings;
    settings.rangeMode = form.overall ? LevelSettings::Overall : LevelSettings::AngleRange;
    settings.fromAngle = static_cast<float>(ParseLeadingDouble(form.fromText));
    settings.toAngle = static_cast<float>(ParseLeadingDouble(form.toText));
    settings.adjustValue = static_cast<float>(ParseLeadingDouble(form.valueText));
    settings.targetLevel = static_cast<float>(ParseLeadingDouble(form.targetText));
    settings.byValue = form.byValue;
    doc.WriteConfig(kLevelSection, kLevelWholeKey, form.overall ? kTrueText : kFalseText);
    doc.WriteConfig(kLevelSection, kLevelPartKey, form.overall ? kFalseText : kTrueText);
    doc.WriteConfig(kLevelSection, kLevelFromKey, form.fromText);
    doc.WriteConfig(kLevelSection, kLevelToKey, form.toText);
    doc.levelAdjust = settings;
    return settings;
}

void AdjustLevels(CQuadrelDoc& doc, const LevelSettings& settings) {
    const std::vector<PatternFile*> files = SelectedFiles(doc);

    // Every amount comes from the reference levels before this adjustment, so a cross-polar cut
    // moves by exactly what its co-polar cut moves, whichever of the two comes first.
    std::vector<double> amounts;
    for (const PatternFile* file : files) amounts.push_back(LevelAmount(doc, *file, settings));

    for (size_t i = 0; i < files.size(); ++i) {
        PatternFile& file = *files[i];
        file.showDisplayCopy = false;
        for (PatternPoint& point : file.samples)
            if (InRange(settings, point.fAngle)) point.fMag = static_cast<float>(point.fMag + amounts[i]);
    }
    ReanalyseChanged(doc, files);
}
