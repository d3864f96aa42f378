#include "export/PlnReader.h"

#include <algorithm>
#include <filesystem>

#include "app/AtomicFile.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/PatternText.h"
#include "document/ProgramTexts.h"
#include "export/ExportState.h"
#include "export/PlnExport.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kTextPlnMissing = "File does not exist";

// The lines of the text without their line ends, read as they are asked for: a huge file costs no
// table of its lines.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : m_cursor(text) { Advance(); }
    bool AtEnd() const { return !m_hasNext; }
    std::string_view Peek() const { return m_hasNext ? m_next : std::string_view(); }
    std::string_view Take() {
        std::string_view line = Peek();
        if (m_hasNext) Advance();
        return line;
    }

  private:
    void Advance() {
        m_hasNext = m_cursor.Next(m_next);
        if (m_hasNext && !m_next.empty() && m_next.back() == '\r') m_next.remove_suffix(1);
    }
    LineCursor m_cursor;
    std::string_view m_next;
    bool m_hasNext = false;
};

std::vector<PatternPoint> ReadMask(LineReader& lines, const std::string& countText, bool stopAtVertical) {
    std::vector<PatternPoint> mask;
    const int32_t count = ParseLeadingInt(countText);
    for (int32_t i = 0; i < count && !lines.AtEnd(); ++i) {
        // The header says 360 whatever the number of rows; a short table must not swallow the
        // header of the next one.
        if (stopAtVertical && lines.Peek().starts_with("VERTICAL")) break;
        double angle = NOT_SET;
        double attenuation = NOT_SET;
        ParsePointLine(lines.Take(), angle, attenuation);
        mask.push_back({StoredFloat(angle), StoredFloat(attenuation)});
    }
    return mask;
}

bool IsPlnFileName(const std::string& name) {
    return name.size() > 4 && ToLower(name.substr(name.size() - 4)) == ".pln";
}
} // namespace

std::string PlnFieldValue(std::string_view line) {
    size_t pos = line.find_first_of(" \t");
    if (pos == std::string_view::npos) pos = line.find(',');
    if (pos == std::string_view::npos) return "NULL";
    return std::string(line.substr(pos + 1));
}

BeamPattern ParsePlnText(std::string_view text) {
    LineReader lines(text);
    BeamPattern pattern;
    for (std::string* field :
         {&pattern.fileName, &pattern.make, &pattern.frequency, &pattern.hWidth, &pattern.vWidth,
          &pattern.frontToBack, &pattern.gain, &pattern.tilt, &pattern.hCount})
        *field = PlnFieldValue(lines.Take());
    pattern.hMask = ReadMask(lines, pattern.hCount, true);
    pattern.vCount = PlnFieldValue(lines.Take());
    pattern.vMask = ReadMask(lines, pattern.vCount, false);
    return pattern;
}

bool PlnNameMatches(const std::string& fileName, const PlnGroupFilter& filter) {
    const std::string stem = fileName.substr(0, fileName.rfind('.'));
    if (!Contains(stem, filter.polarisation)) return false;
    // Bounded by underscores, so that "800" does not collect the 1800 MHz files nor "P1" the P10 ones.
    if (!Contains(stem, "_" + FrequencyField(filter.frequency) + "_")) return false;
    return filter.multiPort ? EndsWith(stem, filter.port) : Contains(stem, filter.port);
}

std::string XmlFolderOf(const std::string& plnFolder) {
    if (EndsWith(plnFolder, "PLN")) return plnFolder.substr(0, plnFolder.size() - 3) + "XML";
    return plnFolder + "XML";
}

PlnGroup ReadPlnGroup(const std::string& plnFolder, const PlnGroupFilter& filter, Notifier& notifier,
                      const WriteLedger* onlyWrittenBy) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(plnFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (!IsPlnFileName(name) || !PlnNameMatches(name, filter)) continue;
        if (onlyWrittenBy && !onlyWrittenBy->Wrote(plnFolder + "/" + name)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());

    PlnGroup group;
    for (const std::string& name : names) {
        const std::string xmlFolder = XmlFolderOf(plnFolder);
        MakeFolder(xmlFolder);
        // The whole stem: cut to a fixed length it would lose the polarisation and port of any model
        // name but a three-character one, and groups would share or miss their file.
        group.xmlPath = xmlFolder + "/" + name.substr(0, name.size() - 4) + ".xml";
        std::string text;
        if (!ReadWholeFile(plnFolder + "/" + name, text)) {
            notifier.Notify(kTextPlnMissing, kCaptionApplication);
            group.readFailed = true;
            return group;
        }
        group.patterns.push_back(ParsePlnText(text));
    }
    return group;
}
