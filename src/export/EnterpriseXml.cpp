#include "export/EnterpriseXml.h"

#include <memory>
#include <string_view>
#include <vector>

#include "app/Notifier.h"
#include "app/OutputBatch.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/ExportState.h"
#include "export/PlnExport.h"

namespace {
constexpr const char* kTextXmlFailed = "Failed to create XML file";
constexpr size_t kAntennaIdLength = 13;
constexpr size_t kElectricalTiltPosition = 13;
constexpr const char* kPolarisationWords[] = {"M45", "P45"};

// The document is written as text, in the layout of tinyxml2's printer (four blanks per level, an
// element without content closed as "<NAME/>"), which earlier files were written with: a
// campaign's XML runs to hundreds of thousands of elements, and a tree of them costs far more than
// the text.
class XmlText {
  public:
    explicit XmlText(std::string& out) : m_out(out) { m_out += "<?xml version=\"1.0\"?>"; }

    void Open(const char* name) {
        Seal();
        NewLine();
        m_out += '<';
        m_out += name;
        m_names.push_back(name);
        m_justOpened = true;
    }
    void Attribute(const char* name, std::string_view value) {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        Escape(XmlSafeText(value), true);
        m_out += '"';
    }
    // An element holding only text. Texts come from PLN files, which may hold anything; the file
    // must stay well-formed.
    void Leaf(const char* name, std::string_view text = {}) {
        Open(name);
        if (!text.empty()) {
            Seal();
            Escape(XmlSafeText(text), false);
            m_out += "</";
            m_out += name;
            m_out += '>';
            m_names.pop_back();
            return;
        }
        Close();
    }
    // A mask point "angle,level": no text to clean or escape.
    void Point(double angle, double level) {
        Seal();
        NewLine();
        m_out += "<M>";
        AppendFixed(m_out, angle, 2);
        m_out += ',';
        AppendFixed(m_out, level, 2);
        m_out += "</M>";
    }
    void Close() {
        const char* name = m_names.back();
        m_names.pop_back();
        if (m_justOpened) {
            m_out += "/>";
            m_justOpened = false;
        } else {
            NewLine();
            m_out += "</";
            m_out += name;
            m_out += '>';
        }
        if (m_names.empty()) m_out += '\n';
    }

  private:
    void Seal() {
        if (m_justOpened) m_out += '>';
        m_justOpened = false;
    }
    void NewLine() {
        m_out += '\n';
        m_out.append(4 * m_names.size(), ' ');
    }
    // Attribute values escape both quotes; texts only what would end them.
    void Escape(std::string_view text, bool attribute) {
        for (char c : text) {
            switch (c) {
            case '&':
                m_out += "&amp;";
                break;
            case '<':
                m_out += "&lt;";
                break;
            case '>':
                m_out += "&gt;";
                break;
            case '"':
                m_out += attribute ? "&quot;" : "\"";
                break;
            case '\'':
                m_out += attribute ? "&apos;" : "'";
                break;
            default:
                m_out += c;
            }
        }
    }

    std::string& m_out;
    std::vector<const char*> m_names;
    bool m_justOpened = false;
};

std::string Substring(const std::string& text, size_t position, size_t length) {
    return position < text.size() ? text.substr(position, length) : std::string();
}

// The number before the first blank of the gain text, printed again with two decimals.
std::string GainNumber(const std::string& gainText) {
    return FormatFixed(ParseLeadingDouble(gainText.substr(0, gainText.find(' '))), 2);
}

void AddMask(XmlText& xml, const char* name, const std::vector<PatternPoint>& mask) {
    xml.Open(name);
    for (const PatternPoint& p : mask) xml.Point(p.fAngle, p.fMag);
    xml.Close();
}

void AddBeamPattern(XmlText& xml, const BeamPattern& p, const std::string& gainUnit) {
    xml.Open("BEAM-PATTERN");
    xml.Attribute("UNIQUE-ID", p.make + p.fileName);
    xml.Attribute("UNIQUE-ID-MODE", "AUTOMATIC");
    xml.Attribute("ID", p.fileName);
    xml.Leaf("DESCRIPTION", p.fileName);
    xml.Leaf("ELEC-TILT", Substring(p.fileName, kElectricalTiltPosition, 2));
    xml.Leaf("El-ARR-INDEX", "0");
    xml.Leaf("CFG-ID");
    xml.Leaf("ELEC-BEAM-ADJ", "1");
    xml.Leaf("HORIZONTAL-BW", p.hWidth);
    xml.Leaf("VERTICAL-BW", p.vWidth);
    xml.Leaf("SWB-ROTATION-ANGLE", "0.000000");
    xml.Leaf("SWB-BROADCAST", "NO");
    xml.Leaf("GAIN", GainNumber(p.gain));
    xml.Leaf("GAIN-TYPE", gainUnit);
    xml.Leaf("FREQUENCY", p.frequency);
    xml.Leaf("TILE-TYPE", p.tilt);
    xml.Leaf("FRONT-TO-BACK", p.frontToBack);
    xml.Leaf("CROSS-POLOR-DISC", "0.000000");
    xml.Leaf("POLARISATION", "CROSSPOLAR");
    AddMask(xml, "H-MASK-LIST", p.hMask);
    AddMask(xml, "V-MASK-LIST", p.vMask);
    xml.Close();
}

bool PathNamesGroup(const std::string& xmlPath, const PlnGroupFilter& filter) {
    const std::string name = LastPathComponent(xmlPath);
    return Contains(name, filter.polarisation) && Contains(name, filter.port) &&
           Contains(name, filter.frequency);
}

// Reads one group's PLN files and queues its XML file. A group without files (or whose read failed)
// must not leave an empty or partial antenna file, nor overwrite the file of an earlier group.
void QueueGroup(const CQuadrelDoc& doc, ExportState& state, const PlnGroupFilter& filter,
                OutputBatch& batch) {
    auto group =
        std::make_shared<PlnGroup>(ReadPlnGroup(state.plnFolder, filter, doc.GetNotifier(), &state.ledger));
    if (group->patterns.empty() || group->readFailed) return;
    if (!PathNamesGroup(group->xmlPath, filter)) return;
    const std::string source = group->patterns.back().fileName;
    batch.Add(group->xmlPath, source, [group, &gainUnit = doc.patternInfo.gainUnit] {
        return BuildEnterpriseXml(group->patterns, gainUnit);
    });
}
} // namespace

std::string BuildEnterpriseXml(const std::vector<BeamPattern>& patterns, const std::string& gainUnit) {
    static const BeamPattern none;
    const BeamPattern& first = patterns.empty() ? none : patterns.front();
    std::string out;
    size_t points = 0;
    for (const BeamPattern& p : patterns) points += p.hMask.size() + p.vMask.size();
    out.reserve(2048 + 1024 * patterns.size() + 40 * points);
    XmlText xml(out);
    xml.Open("ANTENNA-LIST");
    xml.Attribute("ENTERPRISE-XML-VERSION", "3");
    xml.Open("ANTENNA");
    xml.Attribute("ID", first.fileName.substr(0, kAntennaIdLength));
    xml.Leaf("SWITCH-BEAM", "NO");
    xml.Leaf("NUM-PATTERNS-RO", std::to_string(patterns.size()));
    xml.Leaf("MANUFACTURER", first.make);
    xml.Leaf("FOLDER-PATH", "All Projects\\");
    for (const char* name : {"DESCRIPTION", "PHOTO-FILE", "FILE"}) xml.Leaf(name);
    xml.Leaf("COST", "0.000000");
    xml.Leaf("WEIGHT", "0.000000");
    for (const char* name : {"ICON", "SUPPLIER"}) xml.Leaf(name);
    xml.Open("BEAM-PATTERN-LIST");
    for (const BeamPattern& p : patterns) AddBeamPattern(xml, p, gainUnit);
    xml.Close();
    xml.Close();
    xml.Close();
    return out;
}

int WriteEnterpriseXml(const std::string& path, const std::vector<BeamPattern>& patterns,
                       const std::string& gainUnit, Notifier& notifier, WriteLedger* ledger) {
    const std::string source = patterns.empty() ? std::string() : patterns.back().fileName;
    return WriteOutput(ledger, notifier, path, BuildEnterpriseXml(patterns, gainUnit), source, kTextXmlFailed,
                       kCaptionApplication)
               ? 0
               : -1;
}

int ExportXmlFiles(const CQuadrelDoc& doc, ExportState& state) {
    if (!state.options.pln || state.plnFolder.empty()) ExportPlnFiles(doc, state);
    const bool multiPort = doc.patternInfo.antennaType == "Multi-port";
    OutputBatch batch;
    for (const char* polarisation : kPolarisationWords) {
        if (multiPort) {
            for (const auto& [name, extension] : PortMap(doc.patternInfo))
                for (const std::string& frequency : state.frequencyList)
                    QueueGroup(doc, state, {polarisation, extension, frequency, true}, batch);
        } else {
            for (const std::string& frequency : state.frequencyList)
                QueueGroup(doc, state, {polarisation, "_", frequency, false}, batch);
        }
    }
    int written = 0;
    for (bool ok :
         batch.Write(state.ledger, doc.GetNotifier(), doc.jobs, kTextXmlFailed, kCaptionApplication))
        written += ok ? 1 : 0;
    return written;
}
