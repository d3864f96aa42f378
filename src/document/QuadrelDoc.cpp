#include "document/QuadrelDoc.h"

#include <algorithm>

#include "app/Parallel.h"
#include "app/TextUtil.h"
#include "document/PreparedLoad.h"
#include "document/ResultDraft.h"

namespace {
SilentNotifier g_silentNotifier;
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
    if (m_configWatcher.watcher) m_configWatcher.watcher(section, key);
    return m_config ? m_config->WriteConfig(section, key, value) : 0;
}

void CQuadrelDoc::DropTableCache() {
    std::lock_guard<std::mutex> lock(m_tableCache.lock);
    m_tableCache.cache.reset();
}

PatternFile* CQuadrelDoc::Find(const std::string& path) {
    auto it = table.find(PatternKey(path));
    return it == table.end() ? nullptr : &it->second;
}

const PatternFile* CQuadrelDoc::Find(const std::string& path) const {
    auto it = table.find(PatternKey(path));
    return it == table.end() ? nullptr : &it->second;
}

void CQuadrelDoc::CommitResults(ResultDraft&& draft) {
    auto& slots = draft.m_slots;
    // A draft of a few files finds them by key, a few lookups however large the table; a draft of a
    // good part of the table walks it once instead, which costs less than as many keyed lookups.
    if (slots.size() * 16 < table.size()) {
        for (const auto& [file, results] : slots) {
            const auto it = table.find(file->key);
            if (it != table.end() && &it->second == file) it->second.results = results;
        }
    } else {
        for (auto& [key, file] : table)
            if (const auto slot = slots.find(&file); slot != slots.end()) file.results = slot->second;
    }
    slots.clear();
}

int CQuadrelDoc::Refuse(Failure&& failure) {
    m_lastFailure = std::move(failure);
    return kLoadRefused;
}

int CQuadrelDoc::LoadPatternFile(const std::string& path) {
    return StorePrepared(PreparePatternFile(path));
}

int CQuadrelDoc::StorePrepared(PreparedLoad&& load) {
    m_lastFailure = {};
    for (const std::string& warning : load.warnings) m_notifier->Warning(load.path, warning);
    if (!load.noticeText.empty()) m_notifier->Notify(load.noticeText, load.noticeCaption);
    if (load.refusal && !load.refusedAfterStoring) return Refuse(std::move(*load.refusal));
    DropTableCache();
    PatternFile& entry = FreshEntry(table, PatternKey(load.path), load.path);
    entry.names = std::move(load.names);
    entry.samples = std::move(load.samples);
    entry.headerValue = load.headerValue;
    entry.count = load.count;
    entry.source = load.source;
    entry.warnings = std::move(load.warnings);
    if (load.gain) entry.results.Gain = *load.gain;
    if (load.hMax) entry.results.Hmax = *load.hMax;
    if (load.vMax) entry.results.Vmax = *load.vMax;
    if (load.noGainFlag) noGainFlag = *load.noGainFlag;
    // The entry stays in the table after this refusal, without its file name.
    if (load.refusedAfterStoring) return Refuse(std::move(*load.refusal));
    if (load.namedByFolder) std::copy_n(entry.names.begin(), testFields.size(), testFields.begin());
    entry.fileName = std::move(load.fileName);
    return 0;
}

int CQuadrelDoc::LoadBatch(const std::vector<std::string>& paths, bool skipEmpty, const std::string*& last) {
    last = nullptr;
    // Files are read and parsed ahead on the workers while this thread stores them in batch
    // order; a refusal stops the batch there, so what was prepared beyond it is dropped unseen.
    const size_t window = jobs > 1 ? static_cast<size_t>(jobs) * 64 : 1;
    std::vector<PreparedLoad> slots(window);
    bool refused = false;
    OrderedPipeline(
        paths.size(), jobs, window,
        [&](size_t i) {
            slots[i % window] = skipEmpty && paths[i].empty() ? PreparedLoad{} : PreparePatternFile(paths[i]);
        },
        [&](size_t i) {
            if (skipEmpty && paths[i].empty()) return true;
            if (StorePrepared(std::move(slots[i % window])) == kLoadRefused) {
                refused = true;
                return false;
            }
            last = &paths[i];
            if (fileStored) fileStored();
            return true;
        });
    return refused ? kLoadRefused : 0;
}

int CQuadrelDoc::OpenFiles(const std::vector<std::string>& paths) {
    const std::string* last = nullptr;
    if (LoadBatch(paths, false, last) == kLoadRefused) return kLoadRefused;
    if (!paths.empty() && noGainFlag == 1) ReadGainFolder(DeriveGainFolder(paths.back()));
    Refresh();
    return 0;
}

int CQuadrelDoc::DropFiles(const std::vector<std::string>& paths) {
    const std::string* last = nullptr;
    if (LoadBatch(paths, true, last) == kLoadRefused) {
        m_listener->RefreshFileList();
        return kLoadRefused;
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
