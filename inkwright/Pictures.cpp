#include "Pictures.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string_view>
#include <zlib.h>

#include "Inkwright.h"
#include "app/AtomicFile.h"

namespace inkwright {
namespace {

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t Le16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1])
                                                                         << 8);
}
uint32_t Be32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}
void PutBe32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    PutBe32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

[[noreturn]] void Unreadable(const std::string& path, const char* why) {
    throw InkwrightError(std::string("The picture cannot be inserted (") + why + "): " + path);
}

StoredPicture FromBmp(const std::string& b, const std::string& path) {
    if (b.size() < 54) Unreadable(path, "truncated bitmap");
    const uint32_t dataOffset = Le32(b, 10);
    const int32_t width = static_cast<int32_t>(Le32(b, 18));
    const int32_t rawHeight = static_cast<int32_t>(Le32(b, 22));
    const int bits = Le16(b, 28);
    const uint32_t compression = Le32(b, 30);
    if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3))
        Unreadable(path, "only uncompressed 24- and 32-bit bitmaps are supported");
    const int64_t height = rawHeight < 0 ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > 30000 || height > 30000) Unreadable(path, "bad bitmap size");
    const int64_t stride = (static_cast<int64_t>(width) * bits + 31) / 32 * 4;
    if (dataOffset > b.size() || static_cast<int64_t>(b.size() - dataOffset) < stride * height)
        Unreadable(path, "truncated bitmap");
    // The PNG rows (a filter byte, then RGB) are built directly from the bitmap's rows.
    const size_t rowBytes = static_cast<size_t>(width) * 3 + 1;
    std::string raw(rowBytes * static_cast<size_t>(height), '\0');
    const int step = bits / 8;
    for (int64_t y = 0; y < height; ++y) {
        const int64_t sourceRow = rawHeight < 0 ? y : height - 1 - y;
        const char* row = b.data() + dataOffset + sourceRow * stride;
        char* out = raw.data() + y * rowBytes + 1;
        for (int32_t x = 0; x < width; ++x) {
            out[3 * x] = row[step * x + 2];
            out[3 * x + 1] = row[step * x + 1];
            out[3 * x + 2] = row[step * x];
        }
    }
    return {PngFromRows(width, static_cast<int>(height), raw), "png", width, static_cast<int>(height)};
}

StoredPicture FromJpeg(const std::string& b, const std::string& path) {
    size_t at = 2;
    while (at + 9 < b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) Unreadable(path, "damaged JPEG");
        const unsigned char marker = static_cast<unsigned char>(b[at + 1]);
        const size_t length =
            static_cast<unsigned char>(b[at + 2]) << 8 | static_cast<unsigned char>(b[at + 3]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            const int height =
                static_cast<unsigned char>(b[at + 5]) << 8 | static_cast<unsigned char>(b[at + 6]);
            const int width =
                static_cast<unsigned char>(b[at + 7]) << 8 | static_cast<unsigned char>(b[at + 8]);
            return {b, "jpeg", width, height};
        }
        at += 2 + length;
    }
    Unreadable(path, "damaged JPEG");
}

// Both reports of an export insert the same bitmaps: each is converted once. An entry is used only
// for the very bytes it was made from (size and hash of the file's content), so a picture rewritten
// under the same name is converted again.
class ConvertedBitmaps {
  public:
    StoredPicture Get(const std::string& path, const std::string& bmp) {
        const size_t hash = std::hash<std::string_view>()(bmp);
        {
            std::lock_guard lock(m_mutex);
            const auto it = m_entries.find(path);
            if (it != m_entries.end() && it->second.size == bmp.size() && it->second.hash == hash)
                return it->second.picture;
        }
        StoredPicture picture = FromBmp(bmp, path);
        std::lock_guard lock(m_mutex);
        // Bounded so a long session of exports does not keep every picture it ever inserted.
        if (m_bytes + picture.bytes.size() > kLimit) {
            m_entries.clear();
            m_bytes = 0;
        }
        auto& entry = m_entries[path];
        m_bytes = m_bytes - entry.picture.bytes.size() + picture.bytes.size();
        entry = {bmp.size(), hash, picture};
        return picture;
    }

  private:
    static constexpr size_t kLimit = size_t(128) << 20;
    struct Entry {
        size_t size = 0;
        size_t hash = 0;
        StoredPicture picture;
    };
    std::mutex m_mutex;
    std::map<std::string, Entry> m_entries;
    size_t m_bytes = 0;
};

ConvertedBitmaps& Converted() {
    static ConvertedBitmaps converted;
    return converted;
}

} // namespace

std::string PngFromRows(int width, int height, const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
              raw.size(), Z_BEST_SPEED);
    packed.resize(size);
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", "");
    return out;
}

StoredPicture ReadPicture(const std::string& path) {
    std::string b;
    switch (ReadRegularFile(path, b)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Missing:
        Unreadable(path, "the file does not exist");
    case ReadResult::NotAFile:
        Unreadable(path, "not a regular file");
    case ReadResult::Unreadable:
        Unreadable(path, "the file cannot be read");
    }
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return Converted().Get(path, b);
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
        return {b, "png", static_cast<int>(Be32(b, 16)), static_cast<int>(Be32(b, 20))};
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8)
        return FromJpeg(b, path);
    if (b.size() >= 10 && b.compare(0, 3, "GIF") == 0) return {b, "gif", Le16(b, 6), Le16(b, 8)};
    Unreadable(path, "not a bitmap, PNG, JPEG or GIF picture");
}

} // namespace inkwright
