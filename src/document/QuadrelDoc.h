#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/ConfigStore.h"
#include "app/Failure.h"
#include "app/Notifier.h"
#include "document/AnalysisSettings.h"
#include "document/IndicatorSelection.h"
#include "document/OperationSettings.h"
#include "document/PatternTypes.h"

// How ports map to file extensions, and the units and tilt wording of the MSI exports.
struct PatternInfoConfig {
    std::string antennaType = "Dual-port"; // or "Multi-port"
    std::string gainUnit = "dBi";          // or "dBd"
    std::string tiltMethod = "None";       // "Electrical", "Mechanical"
    // (port name in lower case, extension in upper case); at most ten rows.
    std::vector<std::pair<std::string, std::string>> ports;
};

class ResultDraft;
class WriteLedger;
struct PreparedLoad;

// The four selection toggles; "single" excludes the three partner toggles.
struct SelectionToggles {
    bool single = true;
    bool withCoCross = false;
    bool withPlane = false;
    bool withPolarisation = false;
};

enum class SelectionToggle { Single, CoCross, Plane, Polarisation };

inline constexpr int kLoadRefused = 3;

// Why the last load refused its file, for the callers that name the file to the user (the
// described message boxes name none): Unreadable when the file could not be read at all
// (permissions, I/O, not a regular file), Refused when its content was.
using LoadFailure = Failure;

// Data that a higher layer derives from the pattern and curve tables (the gain-series index). The
// document owns it so that it lives and dies with the tables it was built from.
class TableCache {
  public:
    virtual ~TableCache() = default;
};

// The single document: every loaded pattern file, the curve tables, the selection and the
// settings. UI-free: messages go through the notifier, refreshes through the listener.
class CQuadrelDoc {
  public:
    explicit CQuadrelDoc(Notifier* notifier = nullptr, DocumentListener* listener = nullptr);

    void SetNotifier(Notifier* notifier);
    void SetListener(DocumentListener* listener);
    Notifier& GetNotifier() const { return *m_notifier; }
    DocumentListener& GetListener() const { return *m_listener; }

    // Configuration store; null until attached (then settings reads give empty texts).
    void AttachConfig(std::shared_ptr<ConfigStore> config) { m_config = std::move(config); }
    const ConfigStore* Config() const { return m_config.get(); }
    std::string ReadConfig(std::string_view section, std::string_view key) const;
    int WriteConfig(std::string_view section, std::string_view key, std::string_view value);
    // Called before every configuration write while set (the undo history keeps the value before);
    // null stops it. A copy of the document starts without one.
    using ConfigWriteWatcher = std::function<void(std::string_view section, std::string_view key)>;
    void WatchConfigWrites(ConfigWriteWatcher watcher) { m_configWatcher.watcher = std::move(watcher); }

    // Loading. LoadPatternFile returns kLoadRefused (3) for a refused file, 0 otherwise.
    int LoadPatternFile(const std::string& path);
    // The storing half of LoadPatternFile, for a file prepared on another thread: messages,
    // refusal, table entry, no-gain flag and test fields, exactly as the load would set them.
    int StorePrepared(PreparedLoad&& load);
    // The open sequence over already chosen paths (an empty list is a cancelled dialog): stops at
    // the first refused file; reads the gain folder when the last file had no gain line; refreshes
    // unless a file was refused. Returns kLoadRefused when a file was refused.
    int OpenFiles(const std::vector<std::string>& paths);
    // The drop sequence: empty paths skipped; a refusal rebuilds the file list and ends the drop.
    int DropFiles(const std::vector<std::string>& paths);
    // The refresh (message 1137): rebuild the file list and clear done-flags 0, 1, 2, 4, 5.
    void Refresh();
    int RemovePatternFile(const std::string& path);

    // Set by a refusal of LoadPatternFile; cleared when a load begins.
    const LoadFailure& LastLoadFailure() const { return m_lastFailure; }

    // Gain-level and envelope curves.
    std::string DeriveGainFolder(const std::string& lastPath);
    void ReadGainFolder(const std::string& folder);
    void ReadGainFile(const std::string& path);
    void ReadEnvelopeFolder(const std::string& folder);
    void ReadEnvelopeFile(const std::string& path);

    // Selection.
    bool AddToSelection(const std::string& path, std::vector<std::string>& added);
    void SetToggle(SelectionToggle toggle, bool on);
    void FlipToggle(SelectionToggle toggle);
    bool ToggleState(SelectionToggle toggle) const;

    // Writers; false (after the "Failed to save the file" message) when the file cannot be written.
    bool WriteExactData(const std::string& path, const std::string& key, WriteLedger* ledger = nullptr) const;
    bool WriteExactDataCounted(const std::string& path, const std::string& key) const;
    // Write into `exportFolder` + "MSI" / "TMVMSI"; return the number of files written. With a
    // ledger, a second write to one path and every failure are recorded for the run.
    int WriteMsiFiles(const std::string& exportFolder, WriteLedger* ledger = nullptr) const;
    int WriteTmvMsiFiles(const std::string& exportFolder, WriteLedger* ledger = nullptr) const;

    // Runs `use` on the derived data, made as a `Derived` when there is none, under the slot's lock
    // (the export may analyse on a worker thread). The derived data only memoises what the tables
    // already say, so a reader of a const document may build it; nothing else of the document is
    // reachable through it. Loading, removing files and reading gain curves empty the slot.
    template <class Derived, class Use> decltype(auto) UseTableCache(Use&& use) const {
        std::lock_guard<std::mutex> guard(m_tableCache.lock);
        if (!m_tableCache.cache) m_tableCache.cache = std::make_unique<Derived>();
        return use(static_cast<Derived&>(*m_tableCache.cache));
    }
    void DropTableCache();

    PatternFile* Find(const std::string& path);
    const PatternFile* Find(const std::string& path) const;

    // Stores the results an analysis run drafted over this document into the files' `results`.
    void CommitResults(ResultDraft&& draft);

    // Data owned by the document.
    PatternTable table;
    EnvelopeTable envelopes;
    GainCurveTable auxCurves; // the further curve table used by the analysis
    GainCurveTable gainCurves;
    std::string baseFolder;
    std::array<std::string, 6> testFields;
    int32_t noGainFlag = 0;
    std::string programFolder; // ends with "/"
    std::string configFolder;  // the shipped "Config File/" data folder, ends with "/"
    std::vector<std::string> selectionList;
    std::vector<std::string> normalisationList;
    PatternInfoConfig patternInfo;
    SelectionToggles toggles;
    HPara Hpara;
    VPara Vpara;
    IndicatorSelection selection;
    // Worker threads for reading and parsing the files of a batch and for the whole-table analysis;
    // 1 does everything on the calling thread. Results, messages and their order do not depend on it.
    int jobs = 1;
    // Called on the loading thread after each file of a batch is stored (a run's progress line).
    std::function<void()> fileStored;
    RotationSettings rotation;
    RotationHistory rotationHistory;
    LevelSettings levelAdjust;
    std::string screenshotFolder; // ends with "/"
    int32_t captureMode = 0;      // 0 to 3, see the screenshot settings

  private:
    bool WriteExactDataImpl(const std::string& path, const std::string& key, bool counted,
                            WriteLedger* ledger) const;
    int WriteMsiVariant(const std::string& exportFolder, bool tmv, WriteLedger* ledger) const;
    int Refuse(Failure&& failure);
    // Loads the paths in order (empty ones skipped when asked), stopping at the first refusal;
    // `last` is the last one loaded.
    int LoadBatch(const std::vector<std::string>& paths, bool skipEmpty, const std::string*& last);
    void AppendPartner(const std::string& partnerPath, std::vector<std::string>& added);

    Notifier* m_notifier;
    DocumentListener* m_listener;
    std::shared_ptr<ConfigStore> m_config;
    LoadFailure m_lastFailure;
    struct WatcherHolder {
        WatcherHolder() = default;
        WatcherHolder(const WatcherHolder&) {}
        WatcherHolder& operator=(const WatcherHolder&) { return *this; }
        ConfigWriteWatcher watcher;
    };
    WatcherHolder m_configWatcher;
    // A copy of the document (the report worker's snapshot) starts without the cache; it is
    // rebuilt from the copied tables when first asked for.
    struct CacheHolder {
        CacheHolder() = default;
        CacheHolder(const CacheHolder&) {}
        CacheHolder& operator=(const CacheHolder&) {
            std::lock_guard<std::mutex> guard(lock);
            cache.reset();
            return *this;
        }
        std::mutex lock;
        std::unique_ptr<TableCache> cache;
    };
    mutable CacheHolder m_tableCache;
};

// Lower-case key of a path; both separators are kept as given.
std::string PatternKey(const std::string& path);
