#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Notifier.h"

// Records every message so a test can assert on it (or on its absence).
class RecordingNotifier : public Notifier {
  public:
    void Notify(const std::string& text, const std::string& caption) override {
        messages.emplace_back(caption, text);
    }
    void Status(const std::string& text) override { statuses.push_back(text); }
    void Warning(const std::string& subject, const std::string& text) override {
        warnings.emplace_back(subject, text);
    }
    std::vector<std::pair<std::string, std::string>> messages; // (caption, text)
    std::vector<std::string> statuses;
    std::vector<std::pair<std::string, std::string>> warnings; // (subject, text)
};

// Counts the refreshes that the document and the operations ask of the file list and the panes.
class RecordingListener : public DocumentListener {
  public:
    void RefreshFileList() override { ++fileList; }
    void RefreshCurrentResults() override { ++current; }
    void RefreshAllResults() override { ++all; }
    void DocumentChanged(const DocumentChange& change) override { changes.push_back(change); }
    int fileList = 0;
    int current = 0;
    int all = 0;
    std::vector<DocumentChange> changes;
};

// A fresh folder under the system temporary folder, removed when the test ends.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    // Writes `bytes` to `relative` (folders created) and returns the full path.
    std::string Write(const std::string& relative, const std::string& bytes) const;

  private:
    std::filesystem::path m_path;
};

// Runs a command through the shell; returns the exit status and fills stdout and stderr.
int RunCommand(const std::string& command, std::string* out, std::string* err = nullptr);

std::string ReadFileText(const std::string& path);

std::string ToLowerForTest(const std::string& text);
