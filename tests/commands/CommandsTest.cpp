// The command layer over the bundled campaign: what each command changes, what it tells the
// listener and in which order, and the undo store of pattern drags.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "commands/ViewCommands.h"
#include "plot/PlotZoom.h"
#include "support/TestSupport.h"

namespace {
const std::string kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const std::string kAntenna = kCampaign + "/Lab1_Proj7_QX6518_20261208_B01_SN00001/";

// Every notification in the order it came.
class OrderListener : public DocumentListener {
  public:
    void RefreshFileList() override { calls.push_back("1137"); }
    void RefreshCurrentResults() override { calls.push_back("1138"); }
    void RefreshAllResults() override { calls.push_back("1139"); }
    void RedrawView() override { calls.push_back("redraw"); }
    std::vector<std::string> calls;
};

class CommandsTest : public ::testing::Test {
  protected:
    CommandsTest() : session(CreateSession(dir.Path().string() + "/", &notifier, &listener)) {
        OpenFilesCommand(*session, CollectPatternFiles({kCampaign}).files);
        listener.calls.clear();
    }
    Cut Samples(const std::string& name) { return session->Doc().Find(kAntenna + name)->samples; }

    TempDir dir;
    RecordingNotifier notifier;
    OrderListener listener;
    std::unique_ptr<Session> session;
};

bool SameLevels(const Cut& a, const Cut& b, double shift = 0) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::abs(b[i].fMag - a[i].fMag - shift) > 1e-4) return false;
    return true;
}
} // namespace

TEST_F(CommandsTest, FolderExpandsSortedAndMissingPathsAreNamed) {
    const CollectedPatternFiles collected = CollectPatternFiles({kCampaign, "/no/such/folder"});
    EXPECT_EQ(collected.files.size(), 48u);
    EXPECT_TRUE(std::is_sorted(collected.files.begin(), collected.files.end()));
    EXPECT_EQ(collected.missing, std::vector<std::string>{"/no/such/folder"});
}

TEST_F(CommandsTest, ClickRedrawsThenRebuildsBothPanes) {
    session->Doc().SetToggle(SelectionToggle::CoCross, true);
    const auto selected = ClickFileRows(*session, {PatternKey(kAntenna + "p1_p45_h_co_2_0_1850.msi")});
    EXPECT_EQ(selected.size(), 2u);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"redraw", "1138", "1139"}));
    // Every selected cut has been analysed.
    for (const std::string& key : selected) {
        const auto& flags = session->Doc().Find(key)->results.flags;
        EXPECT_TRUE(flags[kDoneHCo] || flags[kDoneHCr]) << key;
    }
}

TEST_F(CommandsTest, RemoveRebuildsListPanesAndEmptiesTheSelection) {
    ClickFileRows(*session, {PatternKey(kAntenna + "p1_p45_h_co_2_0_1850.msi")});
    listener.calls.clear();
    RemoveFilesCommand(*session, {PatternKey(kAntenna + "p1_p45_h_co_2_0_1850.msi")});
    EXPECT_EQ(session->Doc().table.size(), 47u);
    EXPECT_TRUE(session->Doc().selectionList.empty());
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"1137", "redraw", "1138", "1139"}));
}

TEST_F(CommandsTest, CloseAllEmptiesTheDocumentAndItsHistory) {
    ClickFileRows(*session, {PatternKey(kAntenna + "p1_p45_h_co_2_0_1850.msi")});
    ASSERT_TRUE(DragPressCommand(*session));
    DragMoveCommand(*session, 1.0);
    DragReleaseCommand(*session);
    ASSERT_TRUE(session->history.CanUndo());
    listener.calls.clear();
    CloseAllCommand(*session);
    EXPECT_TRUE(session->Doc().table.empty());
    EXPECT_TRUE(session->Doc().selectionList.empty());
    EXPECT_TRUE(session->Doc().gainCurves.empty());
    EXPECT_FALSE(session->history.CanUndo());
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"1137", "redraw", "1138", "1139"}));
}

TEST_F(CommandsTest, DragUndoRedoGiveEachPatternItsOwnSamples) {
    const std::string a = "p1_p45_h_co_2_0_1850.msi", b = "p2_m45_h_co_2_0_1850.msi";
    const Cut originalA = Samples(a), originalB = Samples(b);
    ClickFileRows(*session, {PatternKey(kAntenna + a)});
    ASSERT_TRUE(DragPressCommand(*session));
    DragMoveCommand(*session, 1.5);
    DragMoveCommand(*session, 0.5);
    DragReleaseCommand(*session);
    EXPECT_TRUE(SameLevels(originalA, Samples(a), 2.0));

    // Another pattern selected: the snapshot still goes back to A, B keeps its samples.
    ClickFileRows(*session, {PatternKey(kAntenna + b)});
    ASSERT_TRUE(UndoCommand(*session));
    EXPECT_TRUE(SameLevels(originalA, Samples(a)));
    EXPECT_TRUE(SameLevels(originalB, Samples(b)));

    // A new drag drops what could be redone; undo and redo step over it.
    ClickFileRows(*session, {PatternKey(kAntenna + a)});
    ASSERT_TRUE(DragPressCommand(*session));
    DragMoveCommand(*session, -1.0);
    ASSERT_TRUE(UndoCommand(*session));
    EXPECT_TRUE(SameLevels(originalA, Samples(a)));
    EXPECT_FALSE(UndoCommand(*session)); // nothing older
    ASSERT_TRUE(RedoCommand(*session));
    EXPECT_TRUE(SameLevels(originalA, Samples(a), -1.0));
    EXPECT_FALSE(RedoCommand(*session)); // nothing newer
}

TEST_F(CommandsTest, NothingSelectedNothingDragged) {
    EXPECT_FALSE(DragPressCommand(*session));
    EXPECT_FALSE(UndoCommand(*session));
    EXPECT_FALSE(RedoCommand(*session));
}

TEST_F(CommandsTest, EnvelopeDisplayNeedsAConfiguredPath) {
    session->Doc().WriteConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG", "");
    EXPECT_FALSE(ToggleDisplayCommand(*session, DisplaySwitch::Envelope));
    EXPECT_FALSE(DisplaySwitchOn(*session, DisplaySwitch::Envelope));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "The envelope path is empty,please configure the envelope path.");
    EXPECT_TRUE(ToggleDisplayCommand(*session, DisplaySwitch::Reference3dB));
    EXPECT_TRUE(DisplaySwitchOn(*session, DisplaySwitch::Reference3dB));
}

TEST(PlotZoomTest, RectangleFitsTheWindowKeepingItsAspect) {
    PlotMapping mapping;
    mapping.viewportOrgX = 80;
    mapping.viewportOrgY = 80;
    mapping.viewportExtX = 400;
    mapping.viewportExtY = 400;
    struct Case {
        int x1, y1, x2, y2;
        bool zooms;
        int orgX, orgY, extX;
    };
    const Case cases[] = {
        {100, 100, 200, 150, true, -100, -100, 2000}, // wide: the width decides (s = 500 / 100)
        {200, 150, 100, 100, true, -100, -100, 2000}, // drawn backwards: the same rectangle
        {100, 100, 150, 200, true, -80, -80, 1600},   // tall: the height decides (s = 400 / 100)
        {100, 100, 100, 300, false, 0, 0, 0},         // no width
        {100, 100, 300, 100, false, 0, 0, 0},         // no height
    };
    for (const Case& c : cases) {
        const auto zoom = ZoomToRectangle(mapping, c.x1, c.y1, c.x2, c.y2, 500, 400);
        ASSERT_EQ(zoom.has_value(), c.zooms);
        if (!zoom) continue;
        EXPECT_EQ(zoom->orgX, c.orgX);
        EXPECT_EQ(zoom->orgY, c.orgY);
        EXPECT_EQ(zoom->extX, c.extX);
    }
}

// A session of a program that lives outside the build and install trees, whose configuration file
// cannot be created: what it reads and what it says it reads. Run as its own process (a copy of this
// test program) by the table below.
TEST(SessionElsewhere, ProbePrintsTheSettingsInUse) {
    const char* configDir = std::getenv("QUADREL_SESSION_PROBE");
    if (!configDir) GTEST_SKIP() << "run by SessionElsewhere.ReadsTheShippedDefaultsWhereverItLives";
    RecordingNotifier notifier;
    auto session = CreateSession(configDir, &notifier, nullptr);
    std::cout << "RefLevel_mode=" << session->Doc().Hpara.RefLevel_mode << "\n";
    for (const auto& [subject, text] : notifier.warnings) std::cout << "warning: " << text << "\n";
}

TEST(SessionElsewhere, ReadsTheShippedDefaultsWhereverItLives) {
    TempDir dir;
    const std::string probe = (dir.Path() / "elsewhere" / "bin" / "probe").string();
    std::filesystem::create_directories(dir.Path() / "elsewhere" / "bin");
    std::filesystem::copy_file("/proc/self/exe", probe);
    std::filesystem::permissions(probe, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const std::string blocked = dir.Write("plainfile", "x") + "/config/";
    auto run = [&](const std::string& program) {
        std::string out;
        RunCommand("env -u QUADREL_DATA_DIR QUADREL_SESSION_PROBE='" + blocked + "' '" + program +
                       "' --gtest_filter=SessionElsewhere.ProbePrintsTheSettingsInUse",
                   &out);
        return out;
    };
    const std::string here = run(std::filesystem::read_symlink("/proc/self/exe").string());
    const std::string elsewhere = run(probe);
    // The shipped file says 0; a store without it would answer 1.
    EXPECT_NE(here.find("RefLevel_mode=0"), std::string::npos) << here;
    EXPECT_NE(elsewhere.find("RefLevel_mode=0"), std::string::npos) << elsewhere;
    EXPECT_NE(elsewhere.find("the shipped defaults of /"), std::string::npos) << elsewhere;
}

// The view's and the dialogs' commands: what each leaves in the session and what it tells.
TEST_F(CommandsTest, ViewAndDialogCommandsChangeTheSession) {
    EXPECT_FALSE(ZoomCommand(*session, 100, 100, 300, 100, 500, 400)); // no height
    EXPECT_FALSE(session->plot.zoom.has_value());
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_TRUE(ZoomCommand(*session, 100, 100, 200, 150, 500, 400));
    EXPECT_TRUE(session->plot.zoom.has_value());
    ResetViewCommand(*session);
    EXPECT_FALSE(session->plot.zoom.has_value());
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"redraw", "redraw"}));

    ScreenshotSettingOk(*session, 3);
    EXPECT_EQ(session->Doc().captureMode, 3);
    EXPECT_EQ(CreateSession(dir.Path().string() + "/", &notifier, &listener)->Doc().captureMode, 3);

    XmlConfigOk(*session, "/no/such/ZR460.XML");
    EXPECT_EQ(session->xmlConfigPath, "/no/such/ZR460.XML");
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "/no/such/ZR460.XML文件在磁盘上不存在");

    EXPECT_FALSE(SaveAsOk(*session, ""));
    const std::string saved = dir.Path().string() + "/saved";
    std::filesystem::create_directories(saved);
    EXPECT_TRUE(SaveAsOk(*session, saved));
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(saved), std::filesystem::directory_iterator()), 48);
}
