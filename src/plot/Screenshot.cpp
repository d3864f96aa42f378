#include "plot/Screenshot.h"

#include <algorithm>

#include "document/QuadrelDoc.h"
#include "plot/PlotMarkers.h"

namespace {
void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
std::string TwoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}
} // namespace

PixelSize ViewSizeForMode(int mode, PixelSize view) {
    if (mode == kCaptureStandardWindow1) return {604, 404};
    if (mode == kCaptureStandardWindow2) return {454, 454};
    return view;
}

PixelSize CaptureSize(int mode, PixelSize view, int viewLeft, int screenWidth) {
    PixelSize size;
    switch (mode) {
    case kCaptureIncludeResults:
        size = {screenWidth > viewLeft ? screenWidth - viewLeft : view.width, view.height + 2};
        break;
    case kCaptureStandardWindow1:
        size = {600, 400};
        break;
    case kCaptureStandardWindow2:
        size = {450, 450};
        break;
    default:
        size = {view.width - 4, view.height - 4};
        break;
    }
    return {std::max(1, size.width), std::max(1, size.height)};
}

PixelSize PlotAreaForCapture(int mode, PixelSize view) {
    const PixelSize window = ViewSizeForMode(mode, view);
    return {std::max(1, window.width - 4), std::max(1, window.height - 4)};
}

std::string ScreenshotPath(const std::string& folder, const std::tm& t) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    path += "截图" + std::to_string(t.tm_year + 1900) + "-" + TwoDigits(t.tm_mon + 1) + "-" +
            TwoDigits(t.tm_mday) + "-" + TwoDigits(t.tm_hour) + "-" + TwoDigits(t.tm_min) + "-" +
            TwoDigits(t.tm_sec) + ".bmp";
    return path;
}

std::string ScreenshotSavedText(const std::string& path) {
    return path + "图片保存成功。";
}

int BmpRowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

std::string BuildBmpFile(int width, int height, int bitsPerPixel, std::string_view rows) {
    const uint32_t imageSize =
        static_cast<uint32_t>(BmpRowBytes(width, bitsPerPixel)) * static_cast<uint32_t>(height);
    std::string out;
    out.reserve(54 + imageSize);
    out += "BM";
    Put32(out, imageSize + 54);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(-height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0); // no compression
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    out.append(rows.substr(0, imageSize));
    out.append(imageSize - std::min<size_t>(imageSize, rows.size()), '\0');
    return out;
}

std::string ScreenshotFolderFor(const CQuadrelDoc& doc, const std::string& stored,
                                const std::string& currentFolder) {
    auto withSlash = [](std::string folder) {
        if (!folder.empty() && folder.back() != '/') folder += '/';
        return folder;
    };
    // The folder set at start-up is the configuration folder, hidden from users: not a choice.
    if (!doc.screenshotFolder.empty() && doc.screenshotFolder != doc.programFolder)
        return withSlash(doc.screenshotFolder);
    if (!stored.empty()) return withSlash(stored);
    const PatternFile* first = FirstSelectedPattern(doc);
    if (!first && !doc.table.empty()) first = &doc.table.begin()->second;
    if (first && first->path.find('/') != std::string::npos)
        return first->path.substr(0, first->path.rfind('/') + 1);
    return withSlash(currentFolder);
}
