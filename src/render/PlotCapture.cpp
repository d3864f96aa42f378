#include "render/PlotCapture.h"

#include <QBuffer>
#include <QPainter>

#include "app/AtomicFile.h"
#include "render/PlotRenderer.h"

namespace {
constexpr int kViewBorder = 2; // pixels of the view window's border on each side
}

std::string EncodeBmp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = BmpRowBytes(image.width(), 32);
    std::string rows;
    rows.reserve(static_cast<size_t>(rowBytes) * image.height());
    for (int y = 0; y < image.height(); ++y)
        rows.append(reinterpret_cast<const char*>(image.constScanLine(y)), static_cast<size_t>(rowBytes));
    return BuildBmpFile(image.width(), image.height(), 32, rows);
}

std::string EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QImage CaptureImage(int mode, QSize viewSize, const CQuadrelDoc& doc, const PlotState& state,
                    Notifier* notifier, int viewLeft, int screenWidth, const QImage& results) {
    const PixelSize view{viewSize.width(), viewSize.height()};
    const PixelSize captured = CaptureSize(mode, ViewSizeForMode(mode, view), viewLeft, screenWidth);
    const PixelSize plot = PlotAreaForCapture(mode, view);
    QImage image(captured.width, captured.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage plotImage = RenderPlotImage(QSize(plot.width, plot.height), doc, state, notifier);
    // Mode 0 starts at the window's corner, so the plot sits inside the border; the other modes start
    // inside the border already.
    const int offset = mode == kCaptureIncludeResults ? kViewBorder : 0;
    QPainter painter(&image);
    painter.drawImage(offset, offset, plotImage);
    if (mode == kCaptureIncludeResults && !results.isNull())
        painter.drawImage(offset + plot.width + kViewBorder, 0, results);
    painter.end();
    return image;
}

bool CaptureToFile(const std::string& path, int mode, QSize viewSize, const CQuadrelDoc& doc,
                   const PlotState& state, Notifier* notifier, int viewLeft, int screenWidth,
                   const std::string& outputRoot, const QImage& results) {
    const QImage image = CaptureImage(mode, viewSize, doc, state, notifier, viewLeft, screenWidth, results);
    std::string error;
    return WriteOutputAtomic(outputRoot, path, EncodeBmp(image), error);
}
