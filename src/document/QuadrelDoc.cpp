#include "document/QuadrelDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"
#include "document/Naming.h"
#include "document/PlanningFormat.h"
#include "document/ProgramTexts.h"

namespace {
SilentNotifier g_silentNotifier;
constexpr const char* kPlanningFileHint =
    "a planning file (horizontal and vertical cut in one file): quadrel-cli import turns it into a "
    "measurement folder";
DocumentListener g_silentListener;

// A reloaded file starts from a fresh record: nothing of the previous read is merged in.
PatternFile& FreshEntry(PatternTable& table, const std::string& key, const std::string& path) {
    PatternFile& entry = table[key];
    const float keptGain = entry.results.Gain;
    entry = PatternFile{};
    entry.results.Gain = keptGain;
    entry.key = key;
    entry.path = path;
    return entry;
}
} // namespace

std::string PatternKey(const std::string& path) {
    return ToLower(path);
}

CQuadrelDoc::CQuadrelDoc(Notifier* notifier, DocumentListener* listener)
    : m_notifier(notifier ? notifier : &g_silentNotifier),
      m_listener(listener ? listener : &g_silentListener) {}

void CQuadrelDoc::SetNotifier(Notifier* notifier) {
    m_notifier = notifier ? notifier : &g_silentNotifier;
}
void CQuadrelDoc::SetListener(DocumentListener* listener) {
    m_listener = listener ? listener : &g_silentListener;
}

std::string CQuadrelDoc::ReadConfig(std::string_view section, std::string_view key) const {
    return m_config ? m_config->ReadConfig(section, key) : std::string();
}

int CQuadrelDoc::WriteConfig(std::string_view section, std::string_view key, std::string_view value) {
    return m_config ? m_config->WriteConfig(section, key, value) : 0;
}

void CQuadrelDoc::DropTableCache() {
    std::lock_guard<std::mutex> lock(m_tableCacheLock);
    m_tableCache.reset();
}

PatternFile* CQuadrelDoc::Find(const std::string& path) {
    auto it = table.find(PatternKey(path));
    return it == table.end() ? nullptr : &it->second;
}

const PatternFile* CQuadrelDoc::Find(const std::string& path) const {
    auto it = table.find(PatternKey(path));
    return it == table.end() ? nullptr : &it->second;
}

int CQuadrelDoc::Refuse(const std::string& path, std::string reason, bool unreadable) {
    m_lastFailure = {path, std::move(reason), unreadable};
    return kLoadRefused;
}

int CQuadrelDoc::LoadPatternFile(const std::string& path, int /*index*/) {
    m_lastFailure = {};
    const std::string fileName = LastPathComponent(path);
    const bool msiName = EndsWith(fileName, ".msi") || EndsWith(fileName, ".MSI");
    const bool encryptedName = !msiName && (EndsWith(fileName, ".cm") || EndsWith(fileName, ".CM"));
    if (!msiName && !encryptedName) {
        m_notifier->Notify(kTextFileError, kCaptionProgram);
        std::string bytes;
        if (HasPlanningExtension(fileName) && ReadRegularFile(path, bytes) == ReadResult::Ok &&
            LooksLikePlanningText(bytes))
            return Refuse(path, kPlanningFileHint);
        return Refuse(path, "not an .msi or .cm pattern file");
    }
    std::string bytes;
    switch (ReadRegularFile(path, bytes)) {
    case ReadResult::Ok:
        break;
    case ReadResult::NotAFile:
        return Refuse(path, "not a regular file", true);
    case ReadResult::Missing:
        return Refuse(path, "no such file", true);
    case ReadResult::Unreadable:
        return Refuse(path, "cannot be read (" + std::string(std::strerror(errno)) + ")", true);
    }
    if (bytes.empty() && msiName) return Refuse(path, "the file is empty");
    const std::string key = PatternKey(path);
    DropTableCache();
    constexpr const char* kNoLineFeed = "no line feed in the file (not a pattern text, or CR-only line ends)";

    PatternFile* entry = nullptr;
    if (LooksLikeExactData(bytes)) {
        ExactDataContent content;
        if (!ParseExactDataText(bytes, content)) return Refuse(path, kNoLineFeed);
        entry = &FreshEntry(table, key, path);
        if (content.hasGainLine) entry->results.Gain = content.gainDbi;
        entry->samples = std::move(content.samples);
        entry->headerValue = content.directivity;
        entry->count = content.count;
        entry->source = PatternSource::ExactData;
        noGainFlag = content.hasGainLine ? 0 : 1;
    } else if (msiName) {
        MsiContent content;
        if (!ParseMsiText(bytes, content)) return Refuse(path, kNoLineFeed);
        entry = &FreshEntry(table, key, path);
        entry->samples = std::move(content.samples);
        entry->headerValue = content.frequency;
        entry->count = content.count;
        entry->names[kFieldPlane] = "msi";
        entry->results.Vmax = content.vMax;
        entry->results.Hmax = content.hMax;
        entry->results.Gain = content.gainDbi;
        entry->source = PatternSource::Msi;
        entry->warnings = std::move(content.warnings);
        for (const std::string& warning : entry->warnings) m_notifier->Warning(path, warning);
        noGainFlag = content.hasGainLine ? 0 : 1;
    } else {
        EncryptedContent content = DecodeEncrypted(bytes, fileName);
        entry = &FreshEntry(table, key, path);
        entry->samples = std::move(content.samples);
        entry->headerValue = content.frequency;
        entry->count = content.count;
        entry->results.Gain = content.gainDbi;
        entry->source = PatternSource::Encrypted;
    }
    if (msiName) {
        FillFileNameFields(fileName, entry->names);
        const std::string plane = ToLower(entry->names[kFieldPlane]);
        if (plane != "h" && plane != "e" && plane != "msi") {
            entry->warnings.push_back("the file name's third \"_\" field (\"" + entry->names[kFieldPlane] +
                                      "\") is no plane (h or e): only the gain is computed");
            m_notifier->Warning(path, entry->warnings.back());
        }
        // The entry stays in the table after this refusal, without its file name.
        if (!FillFolderNameFields(ParentFolderName(path), entry->names)) {
            m_notifier->Notify(kTextFolderNameError, kCaptionApplication);
            std::string reason =
                "the folder name needs six \"_\"-separated fields (site_project_model_date_batch_serial)";
            if (LooksLikePlanningText(bytes)) reason += "; " + std::string(kPlanningFileHint);
            return Refuse(path, std::move(reason));
        }
        std::copy_n(entry->names.begin(), testFields.size(), testFields.begin());
    }
    entry->fileName = fileName;
    return 0;
}

int CQuadrelDoc::OpenFiles(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
        if (LoadPatternFile(paths[i], static_cast<int>(i)) == kLoadRefused) return kLoadRefused;
    }
    if (!paths.empty() && noGainFlag == 1) ReadGainFolder(DeriveGainFolder(paths.back()));
    Refresh();
    return 0;
}

int CQuadrelDoc::DropFiles(const std::vector<std::string>& paths) {
    const std::string* last = nullptr;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (paths[i].empty()) continue;
        if (LoadPatternFile(paths[i], static_cast<int>(i)) == kLoadRefused) {
            m_listener->RefreshFileList();
            return kLoadRefused;
        }
        last = &paths[i];
    }
    if (last && noGainFlag == 1) ReadGainFolder(DeriveGainFolder(*last));
    Refresh();
    return 0;
}

void CQuadrelDoc::Refresh() {
    m_listener->RefreshFileList();
    for (auto& [key, file] : table) {
        for (int flag : {kDoneHCo, kDoneVCo, kDonePrep, kDoneHCr, kDoneVCr}) file.results.flags[flag] = false;
    }
}

int CQuadrelDoc::RemovePatternFile(const std::string& path) {
    table.erase(PatternKey(path));
    DropTableCache();
    selectionList.clear();
    normalisationList.clear();
    return 0;
}
