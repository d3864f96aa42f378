#include "document/PreparedLoad.h"

#include "document/PlanningFormat.h"

#include <cerrno>
#include <cstring>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"
#include "document/Naming.h"
#include "document/ProgramTexts.h"

namespace {
PreparedLoad& Refused(PreparedLoad& load, std::string reason, bool unreadable = false) {
    load.refusal = std::move(reason);
    load.unreadable = unreadable;
    return load;
}
} // namespace

PreparedLoad PreparePatternFile(const std::string& path) {
    PreparedLoad load;
    load.path = path;
    load.fileName = LastPathComponent(path);
    const std::string& fileName = load.fileName;
    const bool msiName = EndsWith(fileName, ".msi") || EndsWith(fileName, ".MSI");
    const bool encryptedName = !msiName && (EndsWith(fileName, ".cm") || EndsWith(fileName, ".CM"));
    if (!msiName && !encryptedName) {
        load.noticeText = kTextFileError;
        load.noticeCaption = kCaptionProgram;
        std::string bytes;
        if (HasPlanningExtension(fileName) && ReadRegularFile(path, bytes) == ReadResult::Ok &&
            LooksLikePlanningText(bytes))
            return Refused(load, kPlanningFileHint);
        return Refused(load, "not an .msi or .cm pattern file");
    }
    // One buffer per thread, reused: a campaign is thousands of small files, and a fresh buffer for
    // each costs an allocation and the first touch of its pages every time.
    thread_local std::string bytes;
    struct ReleaseIfLarge {
        std::string& buffer;
        ~ReleaseIfLarge() {
            if (buffer.capacity() > (size_t(1) << 20))
                std::string().swap(buffer); // one huge file keeps nothing
        }
    } release{bytes};
    switch (ReadRegularFile(path, bytes)) {
    case ReadResult::Ok:
        break;
    case ReadResult::NotAFile:
        return Refused(load, "not a regular file", true);
    case ReadResult::Missing:
        return Refused(load, "no such file", true);
    case ReadResult::Unreadable:
        return Refused(load, "cannot be read (" + std::string(std::strerror(errno)) + ")", true);
    }
    if (bytes.empty() && msiName) return Refused(load, "the file is empty");
    constexpr const char* kNoLineFeed = "no line feed in the file (not a pattern text, or CR-only line ends)";

    if (LooksLikeExactData(bytes)) {
        ExactDataContent content;
        if (!ParseExactDataText(bytes, content)) return Refused(load, kNoLineFeed);
        if (content.hasGainLine) load.gain = content.gainDbi;
        load.samples = std::move(content.samples);
        load.headerValue = content.directivity;
        load.count = content.count;
        load.source = PatternSource::ExactData;
        load.noGainFlag = content.hasGainLine ? 0 : 1;
    } else if (msiName) {
        MsiContent content;
        if (!ParseMsiText(bytes, content)) return Refused(load, kNoLineFeed);
        load.samples = std::move(content.samples);
        load.headerValue = content.frequency;
        load.count = content.count;
        load.names[kFieldPlane] = "msi";
        load.vMax = content.vMax;
        load.hMax = content.hMax;
        load.gain = content.gainDbi;
        load.source = PatternSource::Msi;
        load.warnings = std::move(content.warnings);
        load.noGainFlag = content.hasGainLine ? 0 : 1;
    } else {
        EncryptedContent content = DecodeEncrypted(bytes, fileName);
        load.samples = std::move(content.samples);
        load.headerValue = content.frequency;
        load.count = content.count;
        load.gain = content.gainDbi;
        load.source = PatternSource::Encrypted;
    }
    if (msiName) {
        FillFileNameFields(fileName, load.names);
        const std::string plane = ToLower(load.names[kFieldPlane]);
        if (plane != "h" && plane != "e" && plane != "msi")
            load.warnings.push_back("the file name's third \"_\" field (\"" + load.names[kFieldPlane] +
                                    "\") is no plane (h or e): only the gain is computed");
        if (!FillFolderNameFields(ParentFolderName(path), load.names)) {
            load.noticeText = kTextFolderNameError;
            load.noticeCaption = kCaptionApplication;
            load.refusedAfterStoring = true;
            std::string reason =
                "the folder name needs six \"_\"-separated fields (site_project_model_date_batch_serial)";
            if (LooksLikePlanningText(bytes)) reason += "; " + std::string(kPlanningFileHint);
            return Refused(load, std::move(reason));
        }
        load.namedByFolder = true;
    }
    return load;
}
