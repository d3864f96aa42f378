#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

class CQuadrelDoc;

// The four capture modes of the screenshot settings.
enum CaptureMode : int {
    kCaptureIncludeResults = 0,
    kCaptureWithoutResults = 1,
    kCaptureStandardWindow1 = 2, // 600 x 400
    kCaptureStandardWindow2 = 3, // 450 x 450
};

inline constexpr const char* kCaptureSection = "IDD_DIALOG_CAPTURE_SCREEN";
// The radio keys of modes 0 to 3.
inline constexpr const char* kCaptureKeys[4] = {"IDC_RADIO_INCLUDE_INDICATION",
                                                "IDC_RADIO_NOT_INCLUDE_INDICATION",
                                                "IDC_RADIO_STANDARD_WINDOWS", "IDC_DataSheetWindow"};

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The view window size a mode asks for before it captures (modes 2 and 3); the given size otherwise.
PixelSize ViewSizeForMode(int mode, PixelSize view);
// The captured rectangle: mode 0 from the view's left edge to the right edge of the screen and
// 2 pixels higher than the view; mode 1 the view without its 2-pixel border; modes 2 and 3 fixed.
// Never below 1 x 1.
PixelSize CaptureSize(int mode, PixelSize view, int viewLeft = 0, int screenWidth = 0);
// The view's client (plot) area inside the captured rectangle: the window minus its border.
PixelSize PlotAreaForCapture(int mode, PixelSize view);

// The screenshot file: folder + "截图" + local time "%Y-%m-%d-%H-%M-%S" + ".bmp". The folder is
// used as it is; one without a trailing separator gets "/" so the file lands inside it.
std::string ScreenshotPath(const std::string& folder, const std::tm& localTime);
// The key under IDD_DIALOG_CAPTURE_SCREEN that remembers the folder last chosen for screenshots.
inline constexpr const char* kScreenshotFolderKey = "ScreenshotFolder";

// Where a screenshot goes: the folder chosen in this run (Screenshot Path), else the one chosen in
// an earlier run (`stored`), else the working folder: that of the first selected cut, of the first
// loaded cut, or `currentFolder`. Always ends with "/".
std::string ScreenshotFolderFor(const CQuadrelDoc& doc, const std::string& stored,
                                const std::string& currentFolder);

// "%s图片保存成功。" with the path.
std::string ScreenshotSavedText(const std::string& path);

// The capture mode stored under IDD_DIALOG_CAPTURE_SCREEN: the first key that reads "TRUE";
// mode 0 when none does.
template <typename Reader> int LoadCaptureMode(const Reader& read) {
    for (int mode = 0; mode < 4; ++mode)
        if (read(kCaptureSection, kCaptureKeys[mode]) == "TRUE") return mode;
    return kCaptureIncludeResults;
}
template <typename Writer> void StoreCaptureMode(const Writer& write, int mode) {
    for (int m = 0; m < 4; ++m) write(kCaptureSection, kCaptureKeys[m], m == mode ? "TRUE" : "FALSE");
}

// A Windows bitmap file: 14-byte file header, 40-byte information header with a negative height
// (rows top-down), no palette, then the rows. `rows` holds height rows of width pixels in
// bytes-per-pixel = bitsPerPixel / 8 each, already padded to four bytes per row.
std::string BuildBmpFile(int width, int height, int bitsPerPixel, std::string_view rows);
// Bytes per row for a width at a depth, padded to a multiple of four.
int BmpRowBytes(int width, int bitsPerPixel);
