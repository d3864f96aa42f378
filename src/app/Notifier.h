#pragma once
#include <string>
#include <vector>

// What the desktop shows in a message box reaches the user through this interface: a message
// box in the window, a "CAPTION: TEXT" line on stderr in the command-line tool, a recorded
// message in the tests. Core code never blocks on a person.
class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void Notify(const std::string& text, const std::string& caption) = 0;
    // Status-bar texts (long exports, cross-polar pairing errors); silent by default.
    virtual void Status(const std::string& /*text*/) {}
    // Something the user should know that is no message box: a file read with doubts, a setting
    // that fell back to its default. `subject` names the file or folder concerned.
    virtual void Warning(const std::string& /*subject*/, const std::string& /*text*/) {}
};

// What one command changed, sent before the refresh notices it causes so that a listener can
// update only that. `cuts` are pattern keys; `allCuts` stands for every loaded cut.
struct DocumentChange {
    enum Field : unsigned {
        Samples = 1u << 0,   // the samples of the cuts (drag, rotation, level, undo)
        Results = 1u << 1,   // the results of the cuts
        Selection = 1u << 2, // the selection list
        Settings = 1u << 3,  // analysis, rotation, level or indicator settings
        Files = 1u << 4,     // files opened or removed
    };
    unsigned fields = 0;
    std::vector<std::string> cuts;
    bool allCuts = false;
    bool Has(Field field) const { return (fields & field) != 0; }
};

// The notifications that the private window messages carried between document, view and panes.
// Status texts (1142) travel through Notifier::Status.
class DocumentListener {
  public:
    virtual ~DocumentListener() = default;
    virtual void UpdateReadoutLine() {}     // 1136: the last "Current Results" line follows the view
    virtual void RefreshFileList() {}       // 1137: rebuild the file list
    virtual void RefreshCurrentResults() {} // 1138
    virtual void RefreshAllResults() {}     // 1139
    virtual void CloseNotice() {}           // 1140: the main window is closing
    virtual void ShowPanes() {}             // 1141: show the docking panes again
    virtual void RedrawView() {}            // what the view shows has changed
    virtual void DocumentChanged(const DocumentChange& /*change*/) {}
};

// A notifier that forgets everything; the default where no one listens.
class SilentNotifier : public Notifier {
  public:
    void Notify(const std::string&, const std::string&) override {}
};
