#include "export/EnterpriseXml.h"

#include <tinyxml2.h>

#include "app/Notifier.h"
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

class TreeBuilder {
  public:
    explicit TreeBuilder(tinyxml2::XMLDocument& doc) : m_doc(doc) {}
    tinyxml2::XMLElement* Add(tinyxml2::XMLNode* parent, const char* name, const std::string& text = {}) {
        tinyxml2::XMLElement* element = m_doc.NewElement(name);
        // Texts come from PLN files, which may hold anything; the file must stay well-formed.
        if (!text.empty()) element->SetText(XmlSafeText(text).c_str());
        parent->InsertEndChild(element);
        return element;
    }

  private:
    tinyxml2::XMLDocument& m_doc;
};

std::string Substring(const std::string& text, size_t position, size_t length) {
    return position < text.size() ? text.substr(position, length) : std::string();
}

// The number before the first blank of the gain text, printed again with two decimals.
std::string GainNumber(const std::string& gainText) {
    return FormatFixed(ParseLeadingDouble(gainText.substr(0, gainText.find(' '))), 2);
}

void AddMask(TreeBuilder& tree, tinyxml2::XMLElement* parent, const char* name,
             const std::vector<PatternPoint>& mask) {
    tinyxml2::XMLElement* list = tree.Add(parent, name);
    for (const PatternPoint& p : mask)
        tree.Add(list, "M", FormatFixed(p.fAngle, 2) + "," + FormatFixed(p.fMag, 2));
}

void AddBeamPattern(TreeBuilder& tree, tinyxml2::XMLElement* list, const BeamPattern& p,
                    const std::string& gainUnit) {
    tinyxml2::XMLElement* beam = tree.Add(list, "BEAM-PATTERN");
    beam->SetAttribute("UNIQUE-ID", XmlSafeText(p.make + p.fileName).c_str());
    beam->SetAttribute("UNIQUE-ID-MODE", "AUTOMATIC");
    beam->SetAttribute("ID", XmlSafeText(p.fileName).c_str());
    tree.Add(beam, "DESCRIPTION", p.fileName);
    tree.Add(beam, "ELEC-TILT", Substring(p.fileName, kElectricalTiltPosition, 2));
    tree.Add(beam, "El-ARR-INDEX", "0");
    tree.Add(beam, "CFG-ID");
    tree.Add(beam, "ELEC-BEAM-ADJ", "1");
    tree.Add(beam, "HORIZONTAL-BW", p.hWidth);
    tree.Add(beam, "VERTICAL-BW", p.vWidth);
    tree.Add(beam, "SWB-ROTATION-ANGLE", "0.000000");
    tree.Add(beam, "SWB-BROADCAST", "NO");
    tree.Add(beam, "GAIN", GainNumber(p.gain));
    tree.Add(beam, "GAIN-TYPE", gainUnit);
    tree.Add(beam, "FREQUENCY", p.frequency);
    tree.Add(beam, "TILE-TYPE", p.tilt);
    tree.Add(beam, "FRONT-TO-BACK", p.frontToBack);
    tree.Add(beam, "CROSS-POLOR-DISC", "0.000000");
    tree.Add(beam, "POLARISATION", "CROSSPOLAR");
    AddMask(tree, beam, "H-MASK-LIST", p.hMask);
    AddMask(tree, beam, "V-MASK-LIST", p.vMask);
}

bool PathNamesGroup(const std::string& xmlPath, const PlnGroupFilter& filter) {
    const std::string name = LastPathComponent(xmlPath);
    return Contains(name, filter.polarisation) && Contains(name, filter.port) &&
           Contains(name, filter.frequency);
}

int WriteGroup(CQuadrelDoc& doc, ExportState& state, const PlnGroupFilter& filter) {
    PlnGroup group = ReadPlnGroup(state.plnFolder, filter, doc.GetNotifier(), &state.ledger);
    // A group without files (or whose read failed) must not leave an empty or partial antenna file,
    // nor overwrite the file of an earlier group.
    if (group.patterns.empty() || group.readFailed) return 0;
    if (!PathNamesGroup(group.xmlPath, filter)) return 0;
    return WriteEnterpriseXml(group.xmlPath, group.patterns, doc.patternInfo.gainUnit, doc.GetNotifier(),
                              &state.ledger) == 0
               ? 1
               : 0;
}
} // namespace

std::string BuildEnterpriseXml(const std::vector<BeamPattern>& patterns, const std::string& gainUnit) {
    tinyxml2::XMLDocument doc;
    TreeBuilder tree(doc);
    doc.InsertEndChild(doc.NewDeclaration("xml version=\"1.0\""));
    static const BeamPattern none;
    const BeamPattern& first = patterns.empty() ? none : patterns.front();

    tinyxml2::XMLElement* root = tree.Add(&doc, "ANTENNA-LIST");
    root->SetAttribute("ENTERPRISE-XML-VERSION", "3");
    tinyxml2::XMLElement* antenna = tree.Add(root, "ANTENNA");
    antenna->SetAttribute("ID", XmlSafeText(first.fileName.substr(0, kAntennaIdLength)).c_str());
    tree.Add(antenna, "SWITCH-BEAM", "NO");
    tree.Add(antenna, "NUM-PATTERNS-RO", std::to_string(patterns.size()));
    tree.Add(antenna, "MANUFACTURER", first.make);
    tree.Add(antenna, "FOLDER-PATH", "All Projects\\");
    for (const char* name : {"DESCRIPTION", "PHOTO-FILE", "FILE"}) tree.Add(antenna, name);
    tree.Add(antenna, "COST", "0.000000");
    tree.Add(antenna, "WEIGHT", "0.000000");
    for (const char* name : {"ICON", "SUPPLIER"}) tree.Add(antenna, name);
    tinyxml2::XMLElement* list = tree.Add(antenna, "BEAM-PATTERN-LIST");
    for (const BeamPattern& p : patterns) AddBeamPattern(tree, list, p, gainUnit);

    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}

int WriteEnterpriseXml(const std::string& path, const std::vector<BeamPattern>& patterns,
                       const std::string& gainUnit, Notifier& notifier, WriteLedger* ledger) {
    const std::string source = patterns.empty() ? std::string() : patterns.back().fileName;
    return WriteOutput(ledger, notifier, path, BuildEnterpriseXml(patterns, gainUnit), source, kTextXmlFailed,
                       kCaptionApplication)
               ? 0
               : -1;
}

int ExportXmlFiles(CQuadrelDoc& doc, ExportState& state) {
    if (!state.options.pln || state.plnFolder.empty()) ExportPlnFiles(doc, state);
    const bool multiPort = doc.patternInfo.antennaType == "Multi-port";
    int written = 0;
    for (const char* polarisation : kPolarisationWords) {
        if (multiPort) {
            for (const auto& [name, extension] : PortMap(doc.patternInfo))
                for (const std::string& frequency : state.frequencyList)
                    written += WriteGroup(doc, state, {polarisation, extension, frequency, true});
        } else {
            for (const std::string& frequency : state.frequencyList)
                written += WriteGroup(doc, state, {polarisation, "_", frequency, false});
        }
    }
    return written;
}
