#include "document/PreparedLoad.h"

#include "document/PlanningFormat.h"

#include <cerrno>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"
#include "document/Naming.h"
#include "document/PatternFileName.h"
#include "document/ProgramTexts.h"

namespace {
PreparedLoad& Refused(PreparedLoad& load, std::string reason, FailureKind kind = FailureKind::Refused) {
    load.refusal = Failure{kind, load.path, 0, std::move(reason)};
    return load;
}

constexpr const char* kNoLineFeed = "no line feed in the file (not a pattern text, or CR-only line ends)";

// A name that is no pattern file's; the hint says so when the file holds a planning table.
PreparedLoad& RefuseByName(PreparedLoad& load) {
    load.noticeText = kTextFileError;
    load.noticeCaption = kCaptionProgram;
    std::string bytes;
    if (HasPlanningExtension(load.fileName) && ReadRegularFile(load.path, bytes) == ReadResult::Ok &&
        LooksLikePlanningText(bytes))
        return Refused(load, kPlanningFileHint);
    return Refused(load, "not an .msi or .cm pattern file");
}

// The samples and header values of `bytes`, read in the format they are written in (Exact Data
// whatever the name); false when the text has no line feed.
bool ParseContent(const std::string& bytes, bool msiName, PreparedLoad& load) {
    if (LooksLikeExactData(bytes)) {
        ExactDataContent content;
        if (!ParseExactDataText(bytes, content)) return false;
        if (content.hasGainLine) load.gain = content.gainDbi;
        load.samples = std::move(content.samples);
        load.headerValue = content.directivity;
        load.count = content.count;
        load.source = PatternSource::ExactData;
        load.noGainFlag = content.hasGainLine ? 0 : 1;
    } else if (msiName) {
        MsiContent content;
        if (!ParseMsiText(bytes, content)) return false;
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
        EncryptedContent content = DecodeEncrypted(bytes, load.fileName);
        load.samples = std::move(content.samples);
        load.headerValue = content.frequency;
        load.count = content.count;
        load.gain = content.gainDbi;
        load.source = PatternSource::Encrypted;
    }
    return true;
}

// The name fields of an MSI-named file, from its name and its folder's; a folder name that does
// not give them refuses the load after storing.
void TakeNameFields(const std::string& bytes, PreparedLoad& load) {
    FillFileNameFields(load.fileName, load.names);
    const std::string plane = ToLower(load.names[kFieldPlane]);
    if (plane != "h" && plane != "e" && plane != "msi")
        load.warnings.push_back("the file name's third \"_\" field (\"" + load.names[kFieldPlane] +
                                "\") is no plane (h or e): only the gain is computed");
    if (!FillFolderNameFields(ParentFolderName(load.path), load.names)) {
        load.noticeText = kTextFolderNameError;
        load.noticeCaption = kCaptionApplication;
        load.refusedAfterStoring = true;
        std::string reason =
            "the folder name needs six \"_\"-separated fields (site_project_model_date_batch_serial)";
        if (LooksLikePlanningText(bytes)) reason += "; " + std::string(kPlanningFileHint);
        Refused(load, std::move(reason));
        return;
    }
    load.namedByFolder = true;
}
} // namespace

PreparedLoad PreparePatternFile(const std::string& path) {
    PreparedLoad load;
    load.path = path;
    load.fileName = LastPathComponent(path);
    const PatternFileKind kind = PatternFileKindOf(load.fileName);
    if (kind == PatternFileKind::None) return RefuseByName(load);
    const bool msiName = kind == PatternFileKind::Msi;
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
        return Refused(load, "not a regular file", FailureKind::Unreadable);
    case ReadResult::Missing:
        return Refused(load, "no such file", FailureKind::Unreadable);
    case ReadResult::Unreadable:
        return Refused(load, "cannot be read (" + ErrorText(errno) + ")", FailureKind::Unreadable);
    }
    if (bytes.empty() && msiName) return Refused(load, "the file is empty");
    if (!ParseContent(bytes, msiName, load)) return Refused(load, kNoLineFeed);
    if (msiName) TakeNameFields(bytes, load);
    return load;
}
