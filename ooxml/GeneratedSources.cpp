#include "GeneratedSources.h"

#include <algorithm>
#include <cstring>

namespace ooxml {

PartMaker::~PartMaker() {
    if (m_worker.joinable()) m_worker.join();
}

const std::string* PartMaker::Bytes(size_t index) {
    if (m_current.index != index) {
        if (m_worker.joinable()) m_worker.join();
        if (m_next.index == index)
            std::swap(m_current, m_next);
        else
            Make(index, m_current);
        StartNext(index + 1);
    }
    if (!m_current.made && m_failure.empty()) m_failure = m_parts[index].name + ": " + m_current.failure;
    return m_current.made ? &m_current.bytes : nullptr;
}

void PartMaker::StartNext(size_t index) {
    m_next.index = kNone;
    if (index >= m_parts.size()) return;
    m_next.index = index;
    try {
        m_worker = std::thread([this] { Make(m_next.index, m_next); });
    } catch (...) {
        m_next.index = kNone; // no second thread: the part is made when it is asked for
    }
}

void PartMaker::Make(size_t index, Slot& slot) {
    slot.index = index;
    slot.bytes.clear();
    slot.failure.clear();
    slot.made = false;
    // No exception may cross libzip's C frames or leave the thread; its text is kept for the message.
    try {
        m_parts[index].write(slot.bytes);
        slot.made = true;
    } catch (const std::exception& error) { slot.failure = error.what(); } catch (...) {
        slot.failure = "the part could not be made";
    }
}

GeneratedSource::GeneratedSource(PartMaker& maker, size_t index, time_t mtime)
    : m_maker(maker), m_index(index), m_mtime(mtime) {
    zip_error_init(&m_error);
}

GeneratedSource::~GeneratedSource() {
    zip_error_fini(&m_error);
}

zip_int64_t GeneratedSource::Callback(void* state, void* data, zip_uint64_t length,
                                      zip_source_cmd_t command) {
    return static_cast<GeneratedSource*>(state)->Handle(data, length, command);
}

zip_int64_t GeneratedSource::Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
    case ZIP_SOURCE_OPEN:
        m_offset = 0;
        return Fetch() ? 0 : -1;
    case ZIP_SOURCE_READ: {
        if (!m_bytes) {
            zip_error_set(&m_error, ZIP_ER_INTERNAL, 0);
            return -1;
        }
        const size_t n = std::min<size_t>(length, m_bytes->size() - m_offset);
        std::memcpy(data, m_bytes->data() + m_offset, n);
        m_offset += n;
        return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
        m_bytes = nullptr;
        return 0;
    case ZIP_SOURCE_STAT: {
        if (length < sizeof(zip_stat_t) || (!m_sized && !Fetch())) return -1;
        auto* stat = static_cast<zip_stat_t*>(data);
        stat->size = m_size;
        stat->mtime = m_mtime;
        stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&m_error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&m_error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

bool GeneratedSource::Fetch() {
    m_bytes = m_maker.Bytes(m_index);
    if (!m_bytes) {
        zip_error_set(&m_error, ZIP_ER_INTERNAL, 0); // the part's own failure is in the maker
        return false;
    }
    m_sized = true;
    m_size = m_bytes->size();
    return true;
}

} // namespace ooxml
