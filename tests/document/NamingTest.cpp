#include <gtest/gtest.h>

#include "document/Naming.h"
#include "document/QuadrelDoc.h"

TEST(Naming, PartnersOfTheDescribedFiles) {
    struct Case {
        std::string path;
        std::string polarisation;
        std::string coCross;
        std::string plane;
    } cases[] = {
        {"/m/P3_p45_h_co_0_x_1800.msi", "/m/P4_m45_h_co_0_x_1800.msi", "/m/P3_p45_h_cr_0_x_1800.msi",
         "/m/P3_p45_e_co_0_x_1800.msi"},
        {"/m/P4_m45_e_cr_0_x_1800.msi", "/m/P3_p45_e_cr_0_x_1800.msi", "/m/P4_m45_e_co_0_x_1800.msi",
         "/m/P4_m45_h_cr_0_x_1800.msi"},
        // "td" antennas pair ports 1-4 with 5-8.
        {"/m/P2_p45_h_co_0_0_1800_td_x.msi", "/m/P6_m45_h_co_0_0_1800_td_x.msi",
         "/m/P2_p45_h_cr_0_0_1800_td_x.msi", "/m/P2_p45_e_co_0_0_1800_td_x.msi"},
        {"/m/P7_m45_h_co_0_0_1800_td_x.msi", "/m/P3_p45_h_co_0_0_1800_td_x.msi",
         "/m/P7_m45_h_cr_0_0_1800_td_x.msi", "/m/P7_m45_e_co_0_0_1800_td_x.msi"},
        // "+45"/"-45" spellings swap too; the folder is never touched.
        {"c:\\t_h_co\\P1_+45_h_co_2.msi", "c:\\t_h_co\\P2_-45_h_co_2.msi", "c:\\t_h_co\\P1_-45_h_cr_2.msi",
         "c:\\t_h_co\\P1_+45_e_co_2.msi"},
        // The first "_e" anywhere decides the plane: a port text "_east" makes the name vertical.
        {"/m/P1_east_h_co.msi", "/m/P2_east_h_co.msi", "/m/P1_east_h_cr.msi", "/m/P1_hast_h_co.msi"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PolarisationPartner(c.path), c.polarisation) << c.path;
        EXPECT_EQ(CoCrossPartner(c.path), c.coCross) << c.path;
        EXPECT_EQ(PlanePartner(c.path), c.plane) << c.path;
        // Each relation is its own inverse.
        EXPECT_EQ(PolarisationPartner(PolarisationPartner(c.path)), c.path);
        EXPECT_EQ(CoCrossPartner(CoCrossPartner(c.path)), c.path);
    }
}

TEST(Naming, FieldsFromFolderAndFileName) {
    NameFields fields;
    fields.fill("old");
    FillFileNameFields("p1_p45_h_co_6_0_1800.msi", fields);
    EXPECT_EQ(fields[6], "p1");
    EXPECT_EQ(fields[12], "1800");
    EXPECT_EQ(fields[13], ""); // fewer than nine tokens: both free fields empty
    EXPECT_EQ(fields[14], "");
    EXPECT_EQ(fields[0], "old");

    FillFileNameFields("p1_p45_h_co_6_0_1800_td_7_extra.msi", fields);
    EXPECT_EQ(fields[13], "td");
    EXPECT_EQ(fields[14], "7");
    fields[8] = "msi";
    FillFileNameFields("p1_p45.msi", fields);
    EXPECT_EQ(fields[7], "p45");
    EXPECT_EQ(fields[8], "msi");                    // a missing token leaves its field as it was
    FillFileNameFields("nounderscore.msi", fields); // leaves 6-14 untouched
    EXPECT_EQ(fields[7], "p45");

    struct FolderCase {
        const char* folder;
        bool ok;
        const char* field5;
    } folders[] = {
        {"a_b_c_d_e_f", true, "f"}, {"a_b_c_d_e_f_g_h_i_j_k_l", true, "f"},
        {"a_b_c_d_e", false, "x"},  {"_____", true, ""},
        {"abcdef", false, "x"},     {"", false, "x"},
    };
    for (const auto& c : folders) {
        NameFields f;
        f[5] = "x";
        EXPECT_EQ(FillFolderNameFields(c.folder, f), c.ok) << c.folder;
        EXPECT_EQ(f[5], c.field5) << c.folder;
    }
}

TEST(Selection, GrowsByEnabledPartnersOnlyWhenLoaded) {
    CQuadrelDoc doc;
    const std::string base = "/m/t/";
    for (const char* name :
         {"p1_p45_h_co_6_0_1800.msi", "p1_p45_h_cr_6_0_1800.msi", "p2_m45_h_co_6_0_1800.msi",
          "p2_m45_h_cr_6_0_1800.msi", "p1_p45_e_co_6_0_1800.msi", "p1_p45_e_cr_6_0_1800.msi",
          "p2_m45_e_co_6_0_1800.msi"}) {
        doc.table[base + name].key = base + name;
    }
    struct Case {
        bool coCross, plane, polarisation;
        size_t selected;
    } cases[] = {
        {false, false, false, 1}, {true, false, false, 2}, {false, true, false, 2},
        {false, false, true, 2},  {true, true, true, 7},   {true, false, true, 4},
    };
    for (const auto& c : cases) {
        doc.selectionList.clear();
        doc.SetToggle(SelectionToggle::CoCross, c.coCross);
        doc.SetToggle(SelectionToggle::Plane, c.plane);
        doc.SetToggle(SelectionToggle::Polarisation, c.polarisation);
        std::vector<std::string> added;
        EXPECT_TRUE(doc.AddToSelection(base + "P1_p45_h_co_6_0_1800.msi", added));
        EXPECT_EQ(doc.selectionList.size(), c.selected);
        EXPECT_EQ(added.size(), c.selected - 1);
        // Selecting again (or a partner that is already in) adds nothing.
        EXPECT_FALSE(doc.AddToSelection(base + "p1_p45_h_co_6_0_1800.msi", added));
        EXPECT_EQ(doc.selectionList.size(), c.selected);
    }
}

TEST(Selection, SingleExcludesThePartnerToggles) {
    CQuadrelDoc doc;
    doc.SetToggle(SelectionToggle::Single, true);
    doc.FlipToggle(SelectionToggle::Plane);
    EXPECT_FALSE(doc.toggles.single);
    EXPECT_TRUE(doc.toggles.withPlane);
    doc.SetToggle(SelectionToggle::CoCross, true);
    doc.SetToggle(SelectionToggle::Single, true);
    EXPECT_FALSE(doc.toggles.withPlane || doc.toggles.withCoCross || doc.toggles.withPolarisation);
    doc.SetToggle(SelectionToggle::Plane, false); // switching off leaves single as it is
    EXPECT_TRUE(doc.toggles.single);
}
