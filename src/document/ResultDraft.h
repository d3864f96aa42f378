#pragma once
#include <unordered_map>

#include "document/PatternTypes.h"

class CQuadrelDoc;

// The results an analysis run writes, kept beside the document it reads until the run's command
// commits them (CQuadrelDoc::CommitResults). Reading a file's results gives the draft's copy when
// the run has written to the file, else the stored ones, so later steps of one run see the values of
// that run. Entries are found by the file's address: the draft is only valid for the document it
// was made over, and only while no file is loaded or removed.
class ResultDraft {
  public:
    ResultDraft() = default;
    ResultDraft(const ResultDraft&) = delete;
    ResultDraft& operator=(const ResultDraft&) = delete;
    ResultDraft(ResultDraft&&) = default;
    ResultDraft& operator=(ResultDraft&&) = default;

    const IndicatorResult& Read(const PatternFile& file) const;
    // The file's slot, the stored results copied in on first use. The reference stays valid for the
    // life of the draft, so a routine resolves it once per file rather than once per value.
    IndicatorResult& Write(const PatternFile& file);
    // Makes a slot for every file of `table` at once. Afterwards Write only looks slots up, so
    // threads that write disjoint sets of files may share the draft.
    void Cover(const PatternTable& table);

  private:
    friend class CQuadrelDoc;
    std::unordered_map<const PatternFile*, IndicatorResult> m_slots;
};
