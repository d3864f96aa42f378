#include "operations/LevelAdjust.h"

#include <vector>

#include "analysis/SettingsKeys.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

namespace {

double LevelAmount(const CQuadrelDoc& doc, const PatternFile& file, const LevelSettings& settings) {
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

LevelFormOutcome AcceptedLevelForm(const LevelForm& form) {
    LevelFormOutcome outcome;
    LevelSettings& settings = outcome.settings;
    settings.rangeMode = form.overall ? LevelSettings::Overall : LevelSettings::AngleRange;
    settings.fromAngle = static_cast<float>(ParseLeadingDouble(form.fromText));
    settings.toAngle = static_cast<float>(ParseLeadingDouble(form.toText));
    settings.adjustValue = static_cast<float>(ParseLeadingDouble(form.valueText));
    settings.targetLevel = static_cast<float>(ParseLeadingDouble(form.targetText));
    settings.byValue = form.byValue;
    AddConfigWrite(outcome.writes, kLevelSection, kLevelWholeKey, form.overall ? kTrueText : kFalseText);
    AddConfigWrite(outcome.writes, kLevelSection, kLevelPartKey, form.overall ? kFalseText : kTrueText);
    AddConfigWrite(outcome.writes, kLevelSection, kLevelFromKey, form.fromText);
    AddConfigWrite(outcome.writes, kLevelSection, kLevelToKey, form.toText);
    return outcome;
}

std::vector<SampleChange> LevelAdjustedSamples(const CQuadrelDoc& doc, const LevelSettings& settings) {
    const std::vector<const PatternFile*> files = SelectedFiles(doc);

    // Every amount comes from the reference levels before this adjustment, so a cross-polar cut
    // moves by exactly what its co-polar cut moves, whichever of the two comes first.
    std::vector<double> amounts;
    for (const PatternFile* file : files) amounts.push_back(LevelAmount(doc, *file, settings));

    std::vector<SampleChange> changes;
    for (size_t i = 0; i < files.size(); ++i) {
        SampleChange& change = changes.emplace_back(SampleChange{files[i]->key, files[i]->samples});
        for (PatternPoint& point : change.samples)
            if (InRange(settings, point.fAngle)) point.fMag = static_cast<float>(point.fMag + amounts[i]);
    }
    return changes;
}
