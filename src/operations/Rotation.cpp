#include "operations/Rotation.h"

#include <algorithm>
#include <vector>

#include "app/TextUtil.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

namespace {

constexpr double kAngleLimit = 360.0;
constexpr const char* kTextAngleRange = "Please enter a number between -360 and 360.";

int32_t KnownModeOr(int32_t mode, int32_t fallback) {
    return mode >= RotationSettings::ToZero && mode <= RotationSettings::NonRotate ? mode : fallback;
}

// Angles are shifted as they are: no folding back into (-180, 180], no resampling.
void ShiftAngles(Cut& cut, double amount) {
    for (PatternPoint& point : cut) point.fAngle = static_cast<float>(point.fAngle + amount);
}

RotationSettings SettingsOf(const RotationForm& form) {
    RotationSettings settings;
    settings.mode = KnownModeOr(form.mode, RotationSettings::ToZero);
    settings.targetAngle = static_cast<float>(ParseLeadingDouble(form.targetText));
    settings.rotationAngle = static_cast<float>(ParseLeadingDouble(form.rotationText));
    return settings;
}

// Of the entries the rotation keeps, the oldest samples saved for `file`; its current samples when
// it was never rotated.
const Cut& OldestSamplesOf(const RotationHistory& history, const PatternFile& file) {
    const size_t kept = KeptHistoryEntries(history);
    for (size_t i = 0; i < kept; ++i)
        if (history.entries[i].key == file.key) return history.entries[i].samples;
    return file.samples;
}

} // namespace

RotationSettings StoredRotationSettings(const CQuadrelDoc& doc) {
    return SettingsOf(OpenRotationForm(doc));
}

RotationForm OpenRotationForm(const CQuadrelDoc& doc) {
    RotationForm form;
    form.mode = KnownModeOr(ParseLeadingInt(doc.ReadConfig(kRotateSection, kRotateModeKey)),
                            RotationSettings::ToZero);
    form.targetText = doc.ReadConfig(kRotateSection, kRotateTargetKey);
    form.rotationText = doc.ReadConfig(kRotateSection, kRotateAngleKey);
    return form;
}

std::optional<RotationFormOutcome> AcceptedRotationForm(const CQuadrelDoc& doc, const RotationForm& form) {
    for (const std::string* text : {&form.targetText, &form.rotationText}) {
        const double value = ParseLeadingDouble(*text);
        if (!(value >= -kAngleLimit && value <= kAngleLimit)) {
            doc.GetNotifier().Notify(kTextAngleRange, kCaptionApplication);
            return std::nullopt;
        }
    }
    RotationFormOutcome outcome{SettingsOf(form), {}};
    AddConfigWrite(outcome.writes, kRotateSection, kRotateTargetKey, form.targetText);
    AddConfigWrite(outcome.writes, kRotateSection, kRotateAngleKey, form.rotationText);
    AddConfigWrite(outcome.writes, kRotateSection, kRotateModeKey, std::to_string(outcome.settings.mode));
    return outcome;
}

double RotationAmount(const CQuadrelDoc& doc, const PatternFile& file, const RotationSettings& settings) {
    double reference = 0.0;
    double nominal = 0.0;
    if (const PatternFile* followed = FollowedCut(doc, file)) {
        reference = ReferenceDirection(*followed);
        nominal = NominalDirection(*followed);
    }
    switch (settings.mode) {
    case RotationSettings::ToZero:
        return -reference;
    case RotationSettings::RotateTo:
        return settings.targetAngle - reference;
    case RotationSettings::ToNominal:
        return nominal - reference;
    case RotationSettings::RotateBy:
        return settings.rotationAngle;
    default:
        return 0.0;
    }
}

std::vector<SampleChange> DisplayRotatedSamples(const CQuadrelDoc& doc, const RotationSettings& settings) {
    std::vector<SampleChange> copies;
    for (const PatternFile* file : SelectedFiles(doc)) {
        SampleChange& copy = copies.emplace_back(SampleChange{file->key, file->samples});
        if (settings.mode != RotationSettings::NonRotate)
            ShiftAngles(copy.samples, RotationAmount(doc, *file, settings));
    }
    return copies;
}

std::vector<SampleChange> DataRotatedSamples(const CQuadrelDoc& doc, const RotationSettings& settings) {
    const std::vector<const PatternFile*> files = SelectedFiles(doc);
    const bool restore = settings.mode == RotationSettings::NonRotate;

    // Every amount comes from the directions before this rotation, so a cross-polar cut moves with
    // its co-polar cut whichever of the two comes first.
    std::vector<double> amounts;
    for (const PatternFile* file : files)
        amounts.push_back(restore ? 0.0 : RotationAmount(doc, *file, settings));

    std::vector<SampleChange> changes;
    for (size_t i = 0; i < files.size(); ++i) {
        const PatternFile& file = *files[i];
        // "Non Rotate" goes back past every rotation since the first, not only the last one.
        if (restore) {
            changes.push_back({file.key, OldestSamplesOf(doc.rotationHistory, file)});
        } else {
            changes.push_back({file.key, file.samples});
            ShiftAngles(changes.back().samples, amounts[i]);
        }
    }
    return changes;
}

size_t KeptHistoryEntries(const RotationHistory& history) {
    if (history.position == -1) return history.entries.size();
    return std::min(history.entries.size(), static_cast<size_t>(std::max(history.position, 0)));
}
