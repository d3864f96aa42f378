#pragma once
#include <ctime>
#include <string>
#include <thread>
#include <vector>
#include <zip.h>

#include "Package.h"

namespace ooxml {

// Makes the generated parts of one save for libzip, which asks for them one after the other and
// compresses each: while one is compressed, the next is made on a second thread. Two parts are held
// at most, in buffers that are reused from part to part.
class PartMaker {
  public:
    explicit PartMaker(const std::vector<GeneratedPart>& parts) : m_parts(parts) {}
    ~PartMaker();
    PartMaker(const PartMaker&) = delete;
    PartMaker& operator=(const PartMaker&) = delete;

    // The bytes of part `index`, valid until another part is asked for; null when making it failed.
    const std::string* Bytes(size_t index);
    // Why the first part that could not be made failed ("NAME: what the writer threw"); empty
    // while every part asked for was made. libzip only learns that a source failed, so the save
    // takes its message from here.
    const std::string& Failure() const { return m_failure; }

  private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    struct Slot {
        size_t index = kNone;
        bool made = false;
        std::string bytes;
        std::string failure; // what the part's writer threw
    };

    void StartNext(size_t index);
    void Make(size_t index, Slot& slot);

    const std::vector<GeneratedPart>& m_parts;
    Slot m_current;
    Slot m_next;
    std::thread m_worker;
    std::string m_failure;
};

// Serves one generated part to libzip (through zip_source_function), which asks for its size
// before reading it.
class GeneratedSource {
  public:
    GeneratedSource(PartMaker& maker, size_t index, time_t mtime);
    ~GeneratedSource();
    GeneratedSource(const GeneratedSource&) = delete;
    GeneratedSource& operator=(const GeneratedSource&) = delete;

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);

  private:
    zip_int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command);
    bool Fetch();

    PartMaker& m_maker;
    const size_t m_index;
    const time_t m_mtime;
    zip_error_t m_error;
    const std::string* m_bytes = nullptr;
    size_t m_offset = 0;
    bool m_sized = false;
    zip_uint64_t m_size = 0;
};

} // namespace ooxml
