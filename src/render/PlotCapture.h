#pragma once
#include <QImage>
#include <QSize>
#include <string>

#include "plot/Screenshot.h"

class CQuadrelDoc;
class Notifier;
struct PlotState;

// The bitmap file of an image: 32 bits per pixel, rows top-down, as the screen grab wrote it.
std::string EncodeBmp(const QImage& image);
// PNG bytes of an image; empty when encoding failed.
std::string EncodePng(const QImage& image);

// Renders the plot off screen as the view of `viewSize` pixels would show it in capture `mode` and
// returns the captured rectangle (see CaptureSize). Mode 0 also takes the area right of the view
// up to `screenWidth`: `results` (the results pane as the window shows it) is drawn there.
QImage CaptureImage(int mode, QSize viewSize, const CQuadrelDoc& doc, const PlotState& state,
                    Notifier* notifier = nullptr, int viewLeft = 0, int screenWidth = 0,
                    const QImage& results = {});

// Capture(path): writes the captured rectangle as a bitmap file. False (nothing written, nothing
// reported) when the file cannot be created. Below `outputRoot` no symlink is followed (see
// WriteOutputAtomic).
bool CaptureToFile(const std::string& path, int mode, QSize viewSize, const CQuadrelDoc& doc,
                   const PlotState& state, Notifier* notifier = nullptr, int viewLeft = 0,
                   int screenWidth = 0, const std::string& outputRoot = {}, const QImage& results = {});
