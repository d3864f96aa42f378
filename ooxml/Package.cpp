#include "Package.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <zip.h>

#include "ContentTypes.h"
#include "GeneratedSources.h"
#include "XmlText.h"
#include "app/AtomicFile.h"

namespace ooxml {
namespace {

std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// What a package may unpack to. Parsing a part costs tens of times its size, so a part is bounded
// far below what memory allows but far above any real template (their largest part is under
// 1 MiB); the whole package to a few such parts. A part that deflated much better than any XML
// does is a zip bomb whatever its size.
constexpr zip_uint64_t kMaxPartBytes = zip_uint64_t(32) << 20;
constexpr zip_uint64_t kMaxPackageBytes = 4 * kMaxPartBytes;
constexpr zip_uint64_t kMaxRatio = 200;
constexpr zip_uint64_t kRatioFloor = zip_uint64_t(1) << 20;

// A part name that would leave the package folder when unpacked or copied ("../x", "/x", "C:x").
bool NameLeavesPackage(std::string_view name) {
    if (name.empty()) return true;
    if (name.front() == '/' || name.front() == '\\') return true;
    if (name.size() >= 2 && name[1] == ':') return true;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

// Why a part may not be read, or empty.
std::string PartRefusal(const zip_stat_t& stat) {
    if (!(stat.valid & ZIP_STAT_SIZE)) return "has no size";
    if (stat.size > kMaxPartBytes) return "unpacks to more than 32 MiB";
    if (stat.size > kRatioFloor && (stat.valid & ZIP_STAT_COMP_SIZE) &&
        stat.size / kMaxRatio > stat.comp_size)
        return "unpacks to more than 200 times its packed size";
    return {};
}

bool ReadEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t size, std::string& bytes) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file) return false;
    bytes.resize(size);
    zip_uint64_t done = 0;
    while (done < size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + done, size - done);
        if (n <= 0) break;
        done += static_cast<zip_uint64_t>(n);
    }
    // A part must end where its directory entry says: a longer stream is as damaged as a shorter.
    char extra = 0;
    const bool ended = done == size && zip_fread(file, &extra, 1) == 0;
    return zip_fclose(file) == 0 && ended;
}

bool IsCompressedMedia(const std::string& name) {
    auto endsWith = [&name](const char* suffix) {
        const std::string s(suffix);
        return name.size() >= s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0;
    };
    return endsWith(".png") || endsWith(".jpg") || endsWith(".jpeg") || endsWith(".gif");
}

// Level 4 is zlib's fastest with lazy matching: on large sheets it writes about a tenth of the
// strongest level's time for under a tenth more bytes.
constexpr zip_uint32_t kDeflateLevel = 4;

} // namespace

bool Package::Open(const std::string& path, std::string& error) {
    m_parts.clear();
    m_order.clear();
    // Read through the one reader of regular files: a named pipe or a device at the template's
    // name is refused at once instead of being waited on.
    std::string packed;
    struct stat info {};
    if (!path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<zip_uint64_t>(info.st_size) > kMaxPackageBytes) {
        error = "the package is larger than 128 MiB: " + path;
        return false;
    }
    switch (path.empty() ? ReadResult::Missing : ReadRegularFile(path, packed)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Missing:
        error = "the file does not exist: " + path;
        return false;
    case ReadResult::NotAFile:
        error = "the file is not a regular file: " + path;
        return false;
    case ReadResult::Unreadable:
        error = "the file cannot be read (" + ErrorText(errno) + "): " + path;
        return false;
    }
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(packed.data(), packed.size(), 0, &zipError);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        const int code = zip_error_code_zip(&zipError);
        zip_error_fini(&zipError);
        error = (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                     ? "the file is not an Office Open XML package: "
                     : "the file cannot be read (" + ZipErrorText(code) + "): ") +
                path;
        return false;
    }
    zip_error_fini(&zipError);
    auto refuse = [&](const std::string& message) {
        zip_discard(archive);
        m_parts.clear();
        m_order.clear();
        error = message + ": " + path;
        return false;
    };
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    zip_uint64_t unpacked = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        // The name belongs to the archive: copied before anything can free it.
        const char* entry = zip_get_name(archive, i, ZIP_FL_ENC_GUESS);
        const std::string name = entry ? entry : "";
        if (NameLeavesPackage(name))
            return refuse("the package part \"" + ValidUtf8(name) + "\" is named outside the package");
        if (name.back() == '/') continue;
        zip_stat_t stat;
        if (zip_stat_index(archive, i, 0, &stat) != 0)
            return refuse("the package part " + ValidUtf8(name) + " cannot be read");
        if (const std::string why = PartRefusal(stat); !why.empty())
            return refuse("the package part " + ValidUtf8(name) + " " + why);
        unpacked += stat.size;
        if (unpacked > kMaxPackageBytes) return refuse("the package unpacks to more than 128 MiB");
        std::string bytes;
        if (!ReadEntry(archive, i, stat.size, bytes))
            return refuse("the package part " + ValidUtf8(name) + " cannot be read");
        SetPart(name, std::move(bytes));
    }
    zip_discard(archive);
    if (!HasPart(kContentTypesPart)) {
        m_parts.clear();
        m_order.clear();
        error = "the file is not an Office Open XML package (no content types): " + path;
        return false;
    }
    return true;
}

const std::string* Package::Part(const std::string& name) const {
    auto it = m_parts.find(name);
    return it == m_parts.end() ? nullptr : &it->second;
}

void Package::SetPart(const std::string& name, std::string bytes) {
    auto [it, inserted] = m_parts.insert_or_assign(name, std::move(bytes));
    if (inserted) m_order.push_back(name);
}

void Package::RemovePart(const std::string& name) {
    if (m_parts.erase(name)) m_order.erase(std::remove(m_order.begin(), m_order.end(), name), m_order.end());
}

bool Package::Write(std::string& packed, std::string& error,
                    const std::vector<GeneratedPart>& generated) const {
    packed.clear();
    zip_error_t zipError;
    zip_error_init(&zipError);
    // The zip is made in memory and written by the atomic writer, which gives it a short hidden
    // temporary name of this program beside the target (a 255-byte name can be written; a killed
    // run's temporary is removed by the next write there) and syncs it before the rename.
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t* archive = target ? zip_open_from_source(target, ZIP_TRUNCATE, &zipError) : nullptr;
    if (!archive) {
        if (target) zip_source_free(target);
        error = zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return false;
    }
    zip_error_fini(&zipError);
    zip_source_keep(target);
    std::set<std::string> replaced;
    for (const GeneratedPart& part : generated) replaced.insert(part.name);
    std::vector<std::string> order;
    for (const std::string& name : m_order)
        if (!replaced.count(name)) order.push_back(name);
    std::stable_partition(order.begin(), order.end(),
                          [](const std::string& n) { return n == kContentTypesPart; });
    // The sources of the generated parts are read during zip_close, so they live until then.
    PartMaker maker(generated);
    std::vector<std::unique_ptr<GeneratedSource>> sources;
    const time_t now = std::time(nullptr);
    auto add = [&](const std::string& name, zip_source_t* source) {
        const zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            return false;
        }
        return IsCompressedMedia(name)
                   ? zip_set_file_compression(archive, index, ZIP_CM_STORE, 0) == 0
                   : zip_set_file_compression(archive, index, ZIP_CM_DEFLATE, kDeflateLevel) == 0;
    };
    bool ok = true;
    for (size_t i = 0; ok && i < order.size(); ++i) {
        const std::string& bytes = m_parts.at(order[i]);
        ok = add(order[i], zip_source_buffer(archive, bytes.data(), bytes.size(), 0));
    }
    for (size_t i = 0; ok && i < generated.size(); ++i) {
        sources.push_back(std::make_unique<GeneratedSource>(maker, i, now));
        ok = add(generated[i].name,
                 zip_source_function(archive, GeneratedSource::Callback, sources.back().get()));
    }
    if (!ok || zip_close(archive) != 0) {
        error = maker.Failure().empty() ? zip_strerror(archive) : maker.Failure();
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }
    zip_stat_t stat;
    ok = zip_source_stat(target, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && zip_source_open(target) == 0;
    if (ok) {
        packed.resize(stat.size);
        ok = zip_source_read(target, packed.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
        zip_source_close(target);
    }
    zip_source_free(target);
    if (!ok) {
        packed.clear();
        error = "the package could not be assembled";
    }
    return ok;
}

bool Package::SaveAs(const std::string& path, std::string& error,
                     const std::vector<GeneratedPart>& generated) const {
    std::string packed;
    if (!Write(packed, error, generated)) {
        error = "cannot write " + path + " (" + error + ")";
        return false;
    }
    if (!WriteFileAtomic(path, packed)) {
        error = "cannot write " + path + " (" + ErrorText(errno) + ")";
        return false;
    }
    return true;
}

std::string RelationshipsPartName(const std::string& sourcePart) {
    const size_t slash = sourcePart.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : sourcePart.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? sourcePart : sourcePart.substr(slash + 1);
    return folder + "_rels/" + name + ".rels";
}

std::string ResolveTarget(const std::string& sourcePart, const std::string& target) {
    std::string joined;
    if (!target.empty() && target.front() == '/') {
        joined = target.substr(1);
    } else {
        const size_t slash = sourcePart.rfind('/');
        joined = (slash == std::string::npos ? "" : sourcePart.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find('/', start);
        if (end == std::string::npos) end = joined.size();
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& s : segments) result += (result.empty() ? "" : "/") + s;
    return result;
}

} // namespace ooxml
