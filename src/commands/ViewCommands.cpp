#include "commands/ViewCommands.h"

#include "commands/StartUp.h"
#include "plot/ColorDialogModel.h"
#include "plot/PlotZoom.h"
#include "plot/Screenshot.h"
#include "results/SelectionStore.h"

namespace {
constexpr const char* kTextEnvelopePathEmpty =
    "The envelope path is empty,please configure the envelope path.";

ConfigWriter WriterOf(CQuadrelDoc& doc) {
    return [&doc](std::string_view section, std::string_view key, std::string_view value) {
        return doc.WriteConfig(section, key, value);
    };
}

// The view's switches are stored with the indicator selection when the window closes.
void MirrorSwitches(Session& session) {
    IndicatorSelection& flags = session.Doc().selection;
    const MarkerSwitches& m = session.plot.markerSwitches;
    flags.Set("ID_MASKMAXMAG", m.max);
    flags.Set("ID_MASKMINMAG", m.min);
    flags.Set("ID_MASKFSU", m.fsu);
    flags.Set("ID_MASKMAXU", m.ssMax);
    flags.Set("ID_CLEAR_MARK", m.clearMarks);
    flags.Set("ID_UNITARY", session.plot.settings.relativeDisplay);
    flags.Set("ID_SPRDISPLAY", session.plot.settings.sprDisplay);
}

template <class Settings> auto& SwitchOf(Settings& settings, DisplaySwitch which) {
    switch (which) {
    case DisplaySwitch::Relative:
        return settings.relativeDisplay;
    case DisplaySwitch::Reference3dB:
        return settings.reference3dB;
    case DisplaySwitch::Envelope:
        return settings.envelopeDisplay;
    case DisplaySwitch::Spr:
        break;
    }
    return settings.sprDisplay;
}
} // namespace

void SetCoordinateSystemCommand(Session& session, int system) {
    SetCoordinateSystem(WriterOf(session.Doc()), session.plot.settings, system);
    session.Doc().GetListener().RedrawView();
}

bool DisplaySwitchOn(const Session& session, DisplaySwitch which) {
    return SwitchOf(session.plot.settings, which) != 0;
}

bool ToggleDisplayCommand(Session& session, DisplaySwitch which) {
    CQuadrelDoc& doc = session.Doc();
    int& value = SwitchOf(session.plot.settings, which);
    if (which == DisplaySwitch::Envelope && !value &&
        doc.ReadConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG").empty()) {
        doc.GetNotifier().Notify(kTextEnvelopePathEmpty, "Vexlor");
        return false;
    }
    value = value ? 0 : 1;
    MirrorSwitches(session);
    DocumentListener& listener = doc.GetListener();
    listener.RedrawView();
    if (which == DisplaySwitch::Relative) listener.RefreshCurrentResults();
    if (which == DisplaySwitch::Spr) RebuildResultPanes(doc);
    return true;
}

void ToggleMarkerCommand(Session& session, MarkerKind kind) {
    ToggleMarker(session.Doc(), kind, session.plot.markerSwitches, session.plot.markers);
    MirrorSwitches(session);
    session.Doc().GetListener().RedrawView();
    session.Doc().GetListener().RefreshCurrentResults();
}

void ClearMarksCommand(Session& session) {
    ClearMarks(session.plot.markerSwitches, session.plot.markers);
    MirrorSwitches(session);
    session.Doc().GetListener().RedrawView();
    session.Doc().GetListener().RefreshCurrentResults();
}

void DrawSettingsOk(Session& session, int system, const AxisSettings& values) {
    StoreAxisSettings(WriterOf(session.Doc()), system, values);
    (system == kCartesianSystem ? session.plot.settings.cartesian : session.plot.settings.polar) = values;
    session.Doc().GetListener().RedrawView();
}

AxisSettings DrawSettingsDefaults(Session& session, int system) {
    const AxisSettings shown = ResetAxisDefaults(WriterOf(session.Doc()), session.plot.settings, system);
    session.Doc().GetListener().RedrawView();
    return shown;
}

bool ColorsOk(Session& session, const ColorDialogModel& model) {
    const bool written = model.Accept(session.plot.colors, ColorSettingsPath(session.Doc()));
    session.Doc().GetListener().RedrawView();
    return written;
}

void FrameColorCommand(Session& session, ColorDialogModel& model, FrameColor which, Rgb color) {
    PlotColors& colors = session.plot.colors;
    switch (which) {
    case FrameColor::Coordinates:
        model.ChangeCoordinatesColor(colors, color);
        break;
    case FrameColor::Grid:
        model.ChangeGridColor(colors, color);
        break;
    case FrameColor::Defaults:
        model.DefaultFrameColors(colors);
        break;
    }
}

bool ZoomCommand(Session& session, int x1, int y1, int x2, int y2, int width, int height) {
    const std::optional<ZoomViewport> zoom =
        ZoomToRectangle(ViewMapping(session.plot, width, height), x1, y1, x2, y2, width, height);
    if (!zoom) return false;
    session.plot.zoom = zoom;
    session.Doc().GetListener().RedrawView();
    return true;
}

void ResetViewCommand(Session& session) {
    session.plot.zoom.reset();
    session.Doc().GetListener().RedrawView();
}

void ShowZoomCommand(Session& session, const std::optional<ZoomViewport>& zoom) {
    session.plot.zoom = zoom;
}

void ShowLegendCommand(Session& session, bool shown) {
    session.plot.legend = shown;
}

void ScreenshotSettingOk(Session& session, int mode) {
    CQuadrelDoc& doc = session.Doc();
    doc.captureMode = mode;
    StoreCaptureMode([&doc](const char* section, const char* key,
                            const char* value) { return doc.WriteConfig(section, key, value); },
                     mode);
}

void ScreenshotFolderOk(Session& session, const std::string& folder) {
    session.Doc().screenshotFolder = folder;
    session.Doc().WriteConfig(kCaptureSection, kScreenshotFolderKey, folder);
}
