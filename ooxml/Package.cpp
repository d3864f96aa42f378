#include "Package.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <zip.h>

#include "ContentTypes.h"
#include "GeneratedSources.h"

namespace ooxml {
namespace {

std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

bool ReadEntry(zip_t* archive, zip_uint64_t index, std::string& bytes) {
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return false;
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file) return false;
    bytes.resize(stat.size);
    zip_int64_t done = 0;
    while (static_cast<zip_uint64_t>(done) < stat.size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + done, stat.size - done);
        if (n <= 0) break;
        done += n;
    }
    zip_fclose(file);
    return static_cast<zip_uint64_t>(done) == stat.size;
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

// A unique temporary name beside the target, so the rename stays on one file system. It gets the
// target's permissions, or those of an ordinary document for a new file.
std::string TemporaryBeside(const std::string& path) {
    std::string pattern = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {};
    struct stat existing {};
    ::fchmod(fd, ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644);
    ::close(fd);
    return pattern;
}

} // namespace

bool Package::Open(const std::string& path, std::string& error) {
    m_parts.clear();
    m_order.clear();
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        error = "the file does not exist: " + path;
        return false;
    }
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive) {
        error = (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                     ? "the file is not an Office Open XML package: "
                     : "the file cannot be read (" + ZipErrorText(code) + "): ") +
                path;
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    // Documents are read whole: a package that unpacks to more than this is refused, not unpacked.
    constexpr zip_uint64_t kMaxUnpacked = zip_uint64_t(1) << 30;
    zip_uint64_t unpacked = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, i, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) unpacked += stat.size;
    }
    if (unpacked > kMaxUnpacked) {
        zip_discard(archive);
        error = "the package is too large to open (more than 1 GiB unpacked): " + path;
        return false;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, i, ZIP_FL_ENC_GUESS);
        if (!name || !*name || name[std::char_traits<char>::length(name) - 1] == '/') continue;
        std::string bytes;
        if (!ReadEntry(archive, i, bytes)) {
            zip_discard(archive);
            m_parts.clear();
            m_order.clear();
            error = "the package part " + std::string(name) + " cannot be read: " + path;
            return false;
        }
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

bool Package::SaveAs(const std::string& path, std::string& error,
                     const std::vector<GeneratedPart>& generated) const {
    const std::string temporary = TemporaryBeside(path);
    if (temporary.empty()) {
        error = "cannot write " + path + ": " + std::generic_category().message(errno);
        return false;
    }
    int code = 0;
    zip_t* archive = zip_open(temporary.c_str(), ZIP_TRUNCATE, &code);
    if (!archive) {
        std::remove(temporary.c_str());
        error = "cannot write " + path + " (" + ZipErrorText(code) + ")";
        return false;
    }
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
        error = "cannot write " + path + " (" + zip_strerror(archive) + ")";
        zip_discard(archive);
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + std::generic_category().message(errno);
        std::remove(temporary.c_str());
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
