#pragma once
#include <optional>
#include <string>

#include "plot/DrawSettings.h"
#include "plot/PlotColors.h"
#include "plot/PlotMarkers.h"
#include "plot/PlotZoom.h"

struct Session;
class ColorDialogModel;

// The view's commands over the plot state: coordinate system, display switches, markers, draw
// settings and colours. Each redraws the view and rebuilds what the panes show of it.

enum class DisplaySwitch { Relative, Reference3dB, Envelope, Spr };

void SetCoordinateSystemCommand(Session& session, int system);

// Flips a display switch. The envelope display only goes on when an envelope path is configured
// (otherwise the user is told and nothing changes); false then.
bool ToggleDisplayCommand(Session& session, DisplaySwitch which);
bool DisplaySwitchOn(const Session& session, DisplaySwitch which);

void ToggleMarkerCommand(Session& session, MarkerKind kind);
void ClearMarksCommand(Session& session);

// "Draw setting" OK for one coordinate system, and its "Defaults" button.
void DrawSettingsOk(Session& session, int system, const AxisSettings& values);
AxisSettings DrawSettingsDefaults(Session& session, int system);

// "Color Setting" OK: the line table from the dialog's list, written to ColorSetting.ini. False when
// the file could not be written (the colours still apply).
bool ColorsOk(Session& session, const ColorDialogModel& model);
// A frame colour of "Color Setting" (or the frame's "Default Setting"): applies to the view at once,
// whatever the dialog's outcome, and `model` keeps it for the OK.
enum class FrameColor { Coordinates, Grid, Defaults };
void FrameColorCommand(Session& session, ColorDialogModel& model, FrameColor which, Rgb color = {});

// View > Zoom In's rectangle, in pixels of a view of `width` x `height`. False (nothing changes) for
// a rectangle of no width or no height.
bool ZoomCommand(Session& session, int x1, int y1, int x2, int y2, int width, int height);
// View > Reset View.
void ResetViewCommand(Session& session);
// The view's own gestures (wheel, pan, zoom history) and View > Legend: the view redraws itself.
void ShowZoomCommand(Session& session, const std::optional<ZoomViewport>& zoom);
void ShowLegendCommand(Session& session, bool shown);

// "Screenshot Setting" OK: the capture mode is used from now on and stored.
void ScreenshotSettingOk(Session& session, int mode);
// "Screenshot Path" OK: where File > Save ScreenShot writes, from now on and after a restart.
void ScreenshotFolderOk(Session& session, const std::string& folder);
