#pragma once
#include <string>

namespace inkwright {

// A picture as the document stores it.
struct StoredPicture {
    std::string bytes;
    std::string extension; // "png", "jpeg" or "gif"
    int width = 0;         // pixels; shown at 96 dpi
    int height = 0;
};

// Reads a picture file. Bitmaps (.bmp, 24 or 32 bits per pixel, uncompressed) are stored as PNG;
// PNG, JPEG and GIF files are stored as they are. Throws InkwrightError for a file that cannot be
// read or is none of these.
StoredPicture ReadPicture(const std::string& path);

// PNG bytes of 8-bit RGB rows (3 bytes per pixel, top row first), each row led by its PNG filter
// byte.
std::string PngFromRows(int width, int height, const std::string& rows);

} // namespace inkwright
