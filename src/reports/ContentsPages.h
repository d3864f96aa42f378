#pragma once
#include <string>
#include <vector>

// The entries of a report's table of contents as the document holds them (heading text, page
// number), and the pages the headings really stand on in a printed copy.
struct ContentsEntry {
    std::string heading;
    int page = 0;
};

// The contents entries of a .docx (paragraphs of the styles "TOC1" ... "TOC9", in order); empty
// when it has none or cannot be read.
std::vector<ContentsEntry> ReadContentsEntries(const std::string& docxPath);

// The page of each entry's heading in the text of a printed copy, one text per page: the first page,
// at or after the previous heading's page, with a line that reads exactly the heading (a contents
// line carries the dot leader and the number as well). An entry whose heading is not found keeps
// its page.
std::vector<ContentsEntry> PrintedPages(const std::vector<ContentsEntry>& entries,
                                        const std::vector<std::string>& pageTexts);

// Writes `entries`' page numbers into the contents of the .docx at `docxPath` (saved whole, in
// place); false with `error` when it cannot.
bool WriteContentsPages(const std::string& docxPath, const std::vector<ContentsEntry>& entries,
                        std::string& error);

// Writes to `copyPath` a copy of the .docx at `docxPath` whose body ends shortly after the last
// paragraph that reads `lastHeading` (the section properties kept). Where every heading falls is
// decided before that point, and a copy without what follows (the picture pages of a report)
// prints in a fraction of the time. False with `error` when there is no such paragraph or the
// copy cannot be written.
bool WriteLeadingCopy(const std::string& docxPath, const std::string& copyPath,
                      const std::string& lastHeading, std::string& error);
