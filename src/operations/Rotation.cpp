#include "operations/Rotation.h"

#include <algorithm>
#include <memory>
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

// Keeps the samples as they are before this rotation; an undo step taken back is forgotten first.
void RememberSamples(RotationHistory& history, const PatternFile& file) {
    if (history.position != -1) {
        const size_t keep = static_cast<size_t>(std::max(history.position, 0));
        if (history.entries.size() > keep) history.entries.resize(keep);
    }
    history.entries.push_back({file.key, file.samples});
    history.position = -1;
}

const Cut* OldestSamplesOf(const RotationHistory& history, const std::string& key) {
    for (const RotationHistory::Entry& entry : history.entries)
        if (entry.key == key) return &entry.samples;
    return nullptr;
}

} // namespace

void LoadRotationSettings(CQuadrelDoc& doc) {
    const RotationForm form = OpenRotationForm(doc);
    doc.rotation.mode = form.mode;
    doc.rotation.targetAngle = static_cast<float>(ParseLeadingDouble(form.targetText));
    doc.rotation.rotationAngle = static_cast<float>(ParseLeadingDouble(form.rotationText));
}

RotationForm OpenRotationForm(const CQuadrelDoc& doc) {
    RotationForm form;
    form.mode = KnownModeOr(ParseLeadingInt(doc.ReadConfig(kRotateSection, kRotateModeKey)),
                            RotationSettings::ToZero);
    form.targetText = doc.ReadConfig(kRotateSection, kRotateTargetKey);
    form.rotationText = doc.ReadConfig(kRotateSection, kRotateAngleKey);
    return form;
}

std::optional<RotationSettings> AcceptRotationForm(CQuadrelDoc& doc, const RotationForm& form) {
    for (const std::string* text : {&form.targetText, &form.rotationText}) {
        const double value = ParseLeadingDouble(*text);
        if (!(value >= -kAngleLimit && value <= kAngleLimit)) {
            doc.GetNotifier().Notify(kTextAngleRange, kCaptionApplication);
            return std::nullopt;
        }
    }
    RotationSettings settings;
    settings.mode = KnownModeOr(form.mode, RotationSettings::ToZero);
    settings.targetAngle = static_cast<float>(ParseLeadingDouble(form.targetText));
    settings.rotationAngle = static_cast<float>(ParseLeadingDouble(form.rotationText));
    doc.WriteConfig(kRotateSection, kRotateTargetKey, form.targetText);
    doc.WriteConfig(kRotateSection, kRotateAngleKey, form.rotationText);
    doc.WriteConfig(kRotateSection, kRotateModeKey, std::to_string(settings.mode));
    doc.rotation = settings;
    return settings;
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

void DisplayRotate(CQuadrelDoc& doc, const RotationSettings& settings) {
    for (PatternFile* file : SelectedFiles(doc)) {
        file->showDisplayCopy = true;
        file->displayCopy = std::make_unique<Cut>(file->samples);
        if (settings.mode != RotationSettings::NonRotate)
            ShiftAngles(*file->displayCopy, RotationAmount(doc, *file, settings));
    }
}

void DataRotate(CQuadrelDoc& doc, const RotationSettings& settings) {
    const std::vector<PatternFile*> files = SelectedFiles(doc);
    const bool restore = settings.mode == RotationSettings::NonRotate;

    // Every amount comes from the directions before this rotation, so a cross-polar cut moves with
    // its co-polar cut whichever of the two comes first.
    std::vector<double> amounts;
    for (const PatternFile* file : files)
        amounts.push_back(restore ? 0.0 : RotationAmount(doc, *file, settings));

    for (size_t i = 0; i < files.size(); ++i) {
        PatternFile& file = *files[i];
        file.showDisplayCopy = false;
        RememberSamples(doc.rotationHistory, file);
        if (restore)
            file.samples = *OldestSamplesOf(doc.rotationHistory, file.key);
        else
            ShiftAngles(file.samples, amounts[i]);
    }
    ReanalyseChanged(doc, files);
}
