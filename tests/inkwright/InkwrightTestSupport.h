#pragma once
#include <string>
#include <tinyxml2.h>
#include <vector>

#include "Inkwright.h"
#include "support/TestSupport.h"

// Records the library's messages.
class RecordingInkNotifier : public InkwrightNotifier {
  public:
    RecordingInkNotifier() { CInkwright::SetNotifier(this); }
    ~RecordingInkNotifier() override { CInkwright::SetNotifier(nullptr); }
    void Message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// A saved document read back: its parts as text.
struct SavedDocument {
    std::string documentXml;
    std::vector<std::string> partNames;
    std::string Part(const std::string& name) const;
    std::string path;
};

// Saves the open document into `dir` and reads it back.
SavedDocument SaveAndRead(CInkwright& ink, const TempDir& dir, const std::string& name = "out.docx");
// A document whose body is `bodyXml` (paragraphs and tables in WordprocessingML), saved in `dir`.
std::string WriteDocument(const TempDir& dir, const std::string& name, const std::string& bodyXml);
// The texts of the body's paragraphs in reading order (cells included); a line break reads "\n".
std::vector<std::string> ParagraphTexts(const std::string& documentXml);
