#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tinyxml2.h>

#include "app/TextUtil.h"
#include "export/EnterpriseXml.h"
#include "export/ExportState.h"
#include "export/ExportTestSupport.h"
#include "export/PlnExport.h"
#include "export/PlnReader.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
const std::string kFolder = "/m/Lab_Proj_ABC_20261208_B01_SN1";

// Element names, attributes in order and texts exactly, indentation ignored.
void Canonical(const tinyxml2::XMLNode* node, std::string& out) {
    for (const tinyxml2::XMLNode* child = node->FirstChild(); child; child = child->NextSibling()) {
        if (const tinyxml2::XMLElement* e = child->ToElement()) {
            out += "<" + std::string(e->Name());
            for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next())
                out += " " + std::string(a->Name()) + "=[" + a->Value() + "]";
            out += ">";
            Canonical(e, out);
            out += "</>";
        } else if (const tinyxml2::XMLText* t = child->ToText()) {
            if (std::string(t->Value()).find_first_not_of(" \r\n\t") != std::string::npos)
                out += "[" + std::string(t->Value()) + "]";
        } else if (const tinyxml2::XMLDeclaration* d = child->ToDeclaration()) {
            out += "<?" + std::string(d->Value()) + "?>";
        }
    }
}

std::string Normalised(const std::string& xml) {
    tinyxml2::XMLDocument doc(true, tinyxml2::PRESERVE_WHITESPACE);
    EXPECT_EQ(doc.Parse(xml.c_str(), xml.size()), tinyxml2::XML_SUCCESS) << xml;
    std::string out;
    Canonical(&doc, out);
    return out;
}

std::string Pln(const std::string& name, const std::string& gain, const std::string& tilt,
                const std::string& rows) {
    return "FILENAME\t" + name + "\r\nMAKE\t NORVAN TELMARK\r\nFREQUENCY\t1800 \r\nH_WIDTH 65.40 \r\n" +
           "V_WIDTH 7.25 \r\nFRONT_TO_BACK\t28.10 \r\nGAIN\t" + gain + "\r\n" + tilt + "\r\n" + rows;
}
} // namespace

TEST(PlnReader, FieldsKeepTheBlanksOfTheirLines) {
    const BeamPattern p =
        ParsePlnText(Pln("ABC_1800_X_CO_06T_P45P1", "17.85 dBi", "TILT",
                         "HORIZONTAL 2\r\n0.00 0.00\r\n270.00 3.41\r\nVERTICAL 1\r\n3.00,1.50\r\n"));
    EXPECT_EQ(p.fileName, "ABC_1800_X_CO_06T_P45P1");
    EXPECT_EQ(p.make, " NORVAN TELMARK");
    EXPECT_EQ(p.frequency, "1800 ");
    EXPECT_EQ(p.hWidth, "65.40 ");
    EXPECT_EQ(p.vWidth, "7.25 ");
    EXPECT_EQ(p.frontToBack, "28.10 ");
    EXPECT_EQ(p.gain, "17.85 dBi");
    EXPECT_EQ(p.tilt, "NULL"); // a bare TILT line
    EXPECT_EQ(p.hCount, "2");
    ASSERT_EQ(p.hMask.size(), 2u);
    EXPECT_FLOAT_EQ(p.hMask[1].fAngle, 270.0f);
    EXPECT_FLOAT_EQ(p.hMask[1].fMag, 3.41f);
    ASSERT_EQ(p.vMask.size(), 1u);
    EXPECT_FLOAT_EQ(p.vMask[0].fMag, 1.5f); // comma separator

    EXPECT_EQ(PlnFieldValue("TILT\tELECTRICAL"), "ELECTRICAL");
    EXPECT_EQ(PlnFieldValue("A,b c"), "c"); // a blank goes before any comma
    EXPECT_EQ(PlnFieldValue("A,b"), "b");
    EXPECT_EQ(PlnFieldValue(""), "NULL");
}

TEST(PlnReader, WholeFileShortTablesAndTruncation) {
    // Far beyond 20000 bytes: every row is read.
    std::string rows = "HORIZONTAL 360\r\n";
    for (int a = 0; a < 360; ++a) rows += std::to_string(a) + ".00 " + std::string(40, '1') + "\r\n";
    rows += "VERTICAL 360\r\n";
    for (int a = 0; a < 360; ++a) rows += std::to_string(a) + ".00 " + std::string(40, '2') + "\r\n";
    const BeamPattern big = ParsePlnText(Pln("N", "1 dBi", "TILT", rows));
    EXPECT_EQ(big.hMask.size(), 360u);
    EXPECT_EQ(big.vMask.size(), 360u);

    // A table shorter than its header says ends at the next table's header.
    const BeamPattern shortH = ParsePlnText(Pln(
        "N", "1 dBi", "TILT", "HORIZONTAL 360\r\n0.00 0.00\r\nVERTICAL 360\r\n0.00 1.00\r\n5.00 2.00\r\n"));
    EXPECT_EQ(shortH.hMask.size(), 1u);
    EXPECT_EQ(shortH.vCount, "360");
    EXPECT_EQ(shortH.vMask.size(), 2u);

    // Truncated or empty texts never read past their end.
    const BeamPattern empty = ParsePlnText("");
    EXPECT_EQ(empty.fileName, "NULL");
    EXPECT_TRUE(empty.hMask.empty());
    EXPECT_EQ(ParsePlnText("FILENAME\tX\nMAKE").make, "NULL");
    EXPECT_EQ(ParsePlnText("FILENAME\tX\n").fileName, "X"); // line feed without carriage return
}

TEST(EnterpriseXml, DocumentedTree) {
    BeamPattern p = ParsePlnText(Pln("ABC_1800_X_CO_06T_P45P1", "17.85 dBd", "TILT\tELECTRICAL",
                                     "HORIZONTAL 360\r\n0.00 0.00\r\n270.00 3.41\r\nVERTICAL 360\r\n"));
    const std::string xml = BuildEnterpriseXml({p}, "dBi");
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\"?>", 0), 0u);
    const std::string expected = R"(<?xml version="1.0"?>
<ANTENNA-LIST ENTERPRISE-XML-VERSION="3">
 <ANTENNA ID="ABC_1800_X_CO">
  <SWITCH-BEAM>NO</SWITCH-BEAM>
  <NUM-PATTERNS-RO>1</NUM-PATTERNS-RO>
  <MANUFACTURER> NORVAN TELMARK</MANUFACTURER>
  <FOLDER-PATH>All Projects\</FOLDER-PATH>
  <DESCRIPTION/><PHOTO-FILE/><FILE/>
  <COST>0.000000</COST>
  <WEIGHT>0.000000</WEIGHT>
  <ICON/><SUPPLIER/>
  <BEAM-PATTERN-LIST>
   <BEAM-PATTERN UNIQUE-ID=" NORVAN TELMARKABC_1800_X_CO_06T_P45P1" UNIQUE-ID-MODE="AUTOMATIC" ID="ABC_1800_X_CO_06T_P45P1">
    <DESCRIPTION>ABC_1800_X_CO_06T_P45P1</DESCRIPTION>
    <ELEC-TILT>_0</ELEC-TILT>
    <El-ARR-INDEX>0</El-ARR-INDEX>
    <CFG-ID/>
    <ELEC-BEAM-ADJ>1</ELEC-BEAM-ADJ>
    <HORIZONTAL-BW>65.40 </HORIZONTAL-BW>
    <VERTICAL-BW>7.25 </VERTICAL-BW>
    <SWB-ROTATION-ANGLE>0.000000</SWB-ROTATION-ANGLE>
    <SWB-BROADCAST>NO</SWB-BROADCAST>
    <GAIN>17.85</GAIN>
    <GAIN-TYPE>dBi</GAIN-TYPE>
    <FREQUENCY>1800 </FREQUENCY>
    <TILE-TYPE>ELECTRICAL</TILE-TYPE>
    <FRONT-TO-BACK>28.10 </FRONT-TO-BACK>
    <CROSS-POLOR-DISC>0.000000</CROSS-POLOR-DISC>
    <POLARISATION>CROSSPOLAR</POLARISATION>
    <H-MASK-LIST><M>0.00,0.00</M><M>270.00,3.41</M></H-MASK-LIST>
    <V-MASK-LIST/>
   </BEAM-PATTERN>
  </BEAM-PATTERN-LIST>
 </ANTENNA>
</ANTENNA-LIST>
)";
    EXPECT_EQ(Normalised(xml), Normalised(expected));
}

TEST(EnterpriseXml, UnwritableFileShowsTheMessage) {
    RecordingNotifier notifier;
    EXPECT_EQ(WriteEnterpriseXml("/no/such/folder/x.xml", {}, "dBi", notifier), -1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "Failed to create XML file");
}

TEST(XmlExport, SinglePortGroupsByPolarisationAndFrequency) {
    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    for (const char* name : {"p1_p45_h_co_6_0_900.msi", "p1_p45_h_co_10_0_900.msi", "p2_m45_h_co_6_0_900.msi",
                             "p1_p45_h_co_6_0_1900.msi"})
        AddPair(doc, kFolder, name);
    ExportState state; // the PLN box is not set: the XML run writes the PLN files itself
    state.workingFolder = dir.Path().string() + "/";

    EXPECT_EQ(ExportXmlFiles(doc, state), 3);
    EXPECT_TRUE(fs::exists(state.workingFolder + "PLN/ABC_0900_X_CO_06T_P45.pln"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(state.workingFolder + "XML"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    // Named after the last file of each group; "900" does not collect the 1900 MHz file.
    EXPECT_EQ(names, (std::vector<std::string>{"ABC_0900_X_CO_06T_M45.xml", "ABC_0900_X_CO_10T_P45.xml",
                                               "ABC_1900_X_CO_06T_P45.xml"}));
    const std::string p45 = ReadFileText(state.workingFolder + "XML/ABC_0900_X_CO_10T_P45.xml");
    EXPECT_NE(p45.find("<NUM-PATTERNS-RO>2</NUM-PATTERNS-RO>"), std::string::npos);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST(XmlExport, MultiPortGroupsByPortAndWritesNothingForEmptyGroups) {
    TempDir dir;
    CQuadrelDoc doc;
    AddPair(doc, kFolder, "p1_p45_h_co_6_0_1800.msi");
    AddPair(doc, kFolder, "p10_p45_h_co_6_0_1800.msi");
    doc.patternInfo.antennaType = "Multi-port";
    doc.patternInfo.ports = {{"p1", "A"}, {"p10", "B"}, {"p7", "C"}}; // no p7 files: no XML for it
    doc.patternInfo.gainUnit = "dBd";
    ExportState state;
    state.workingFolder = dir.Path().string() + "/";
    state.options.pln = true;
    ExportPlnFiles(doc, state);

    EXPECT_EQ(ExportXmlFiles(doc, state), 2);
    const std::string a = ReadFileText(state.workingFolder + "XML/ABC_1800_X_CO_06T_P45A.xml");
    const std::string b = ReadFileText(state.workingFolder + "XML/ABC_1800_X_CO_06T_P45B.xml");
    EXPECT_NE(a.find("<NUM-PATTERNS-RO>1</NUM-PATTERNS-RO>"), std::string::npos);
    EXPECT_NE(b.find("<NUM-PATTERNS-RO>1</NUM-PATTERNS-RO>"), std::string::npos);
    // The PLN line holds 17.85 - 2.15; the type is the document's unit.
    EXPECT_NE(a.find("<GAIN>15.70</GAIN>"), std::string::npos);
    EXPECT_NE(a.find("<GAIN-TYPE>dBd</GAIN-TYPE>"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(state.workingFolder + "XML"), {}), 2);
}

TEST(XmlExport, LongModelNamesKeepOneFilePerGroup) {
    // Stems longer than 23 characters: cut to that length, the two ports would share one XML file
    // and the polarisation word would be cut off, so nothing would be written at all.
    TempDir dir;
    CQuadrelDoc doc;
    const std::string folder = "/m/Lab1_Proj7_QX6518_20261208_B01_SN00001";
    AddPair(doc, folder, "p1_p45_h_co_2_0_1710.msi");
    AddPair(doc, folder, "p2_m45_h_co_2_0_1710.msi");
    AddPair(doc, folder, "p3_p45_h_co_2_0_1710.msi");
    doc.patternInfo.antennaType = "Multi-port";
    doc.patternInfo.ports = {{"p1", "P1"}, {"p2", "P2"}, {"p3", "P3"}};
    ExportState state;
    state.workingFolder = dir.Path().string() + "/";

    EXPECT_EQ(ExportXmlFiles(doc, state), 3);
    for (const char* name :
         {"QX6518_1710_X_CO_02T_P45P1", "QX6518_1710_X_CO_02T_M45P2", "QX6518_1710_X_CO_02T_P45P3"})
        EXPECT_NE(
            ReadFileText(state.workingFolder + "XML/" + name + ".xml").find(std::string("ID=\"") + name),
            std::string::npos)
            << name;
}

TEST(XmlExport, GroupPathAndMatching) {
    EXPECT_EQ(XmlFolderOf("/w/PLNdata/PLN"), "/w/PLNdata/XML");
    PlnGroupFilter single{"P45", "_", "900", false};
    EXPECT_TRUE(PlnNameMatches("ABC_0900_X_CO_06T_P45.pln", single));
    EXPECT_FALSE(PlnNameMatches("ABC_1900_X_CO_06T_P45.pln", single));
    EXPECT_FALSE(PlnNameMatches("ABC_0900_X_CO_06T_M45.pln", single));
    PlnGroupFilter port{"M45", "P1", "1800", true};
    EXPECT_TRUE(PlnNameMatches("ABC_1800_X_CO_06T_M45P1.PLN", port));
    EXPECT_FALSE(PlnNameMatches("ABC_1800_X_CO_06T_M45P10.PLN", port));
}

// The document is written as text; tinyxml2 reading it and printing it again must give the same
// bytes (its layout, its escaping), and every text must read back as it went in, cleaned of what
// XML cannot hold.
TEST(EnterpriseXml, TextIsWhatAnXmlPrinterWouldWrite) {
    const std::string texts[] = {
        "plain",          "a<b>&c", "quote\"s and 'apostrophes'", "bell\x07 and \x01", "\xff\xfe not UTF-8",
        "tab\tand\nline", ""};
    for (const std::string& text : texts) {
        BeamPattern p = ParsePlnText(Pln("ABC_1800_X_CO_06T_P45P1", "17.85 dBd", "TILT\tELECTRICAL",
                                         "HORIZONTAL 360\r\n0.00 -0.001\r\nVERTICAL 360\r\n1.00 2.5\r\n"));
        p.fileName += text;
        p.make = text;
        p.frequency = text;
        const std::string xml = BuildEnterpriseXml({p, p}, text);
        tinyxml2::XMLDocument doc;
        ASSERT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS) << text;
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        EXPECT_EQ(std::string(printer.CStr()), xml) << text;
        const tinyxml2::XMLElement* beam = doc.FirstChildElement("ANTENNA-LIST")
                                               ->FirstChildElement("ANTENNA")
                                               ->FirstChildElement("BEAM-PATTERN-LIST")
                                               ->FirstChildElement("BEAM-PATTERN");
        ASSERT_NE(beam, nullptr);
        EXPECT_EQ(std::string(beam->Attribute("ID")), XmlSafeText(p.fileName)) << text;
        const char* frequency = beam->FirstChildElement("FREQUENCY")->GetText();
        EXPECT_EQ(std::string(frequency ? frequency : ""), XmlSafeText(text)) << text;
    }
}

TEST(PlnReader, SurvivesAnyBytes) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789 \t,\r\n.-VERTICALHORIZONTAL\xff";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 400, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        if (round % 3 == 0) text = "A\nB\nC\nD\nE\nF\nG\nH\nX 99999999\n" + text;
        const BeamPattern p = ParsePlnText(text);
        EXPECT_LE(p.hMask.size() + p.vMask.size(), text.size());
        BuildEnterpriseXml({p}, "dBi"); // any text read must give a document
    }
}
