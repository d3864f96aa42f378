// The one undo history: every undoable command taken back and redone bit for bit, the names and
// states of Edit > Undo/Redo, and the sequence that used to lose a level adjustment.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "analysis/HorizontalSetup.h"
#include "analysis/IndicatorResultFields.h"
#include "analysis/VerticalSetup.h"
#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "support/TestSupport.h"

namespace {
const std::string kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const std::string kAntenna = kCampaign + "/Lab1_Proj7_QX6518_20261208_B01_SN00001/";

std::string Key(const std::string& name) {
    return PatternKey(kAntenna + name);
}

// Everything an undo must give back, as bytes: float bits, not values, so -0 and 0 differ.
class Fingerprint {
  public:
    explicit Fingerprint(const CQuadrelDoc& doc) {
        for (const auto& [key, file] : doc.table) {
            Put(key);
            Put(file.samples);
            Put(file.showDisplayCopy);
            if (file.displayCopy) Put(*file.displayCopy);
            for (bool flag : file.results.flags) Put(flag);
            ForEachResultMember(file.results, [this](const char*, const auto& member) { Put(member); });
        }
        const HPara& h = doc.Hpara;
        for (int32_t v : {h.RefLevel_mode, h.RefAngle_mode, h.PX_level, h.NX_level, h.FBR_xdeg, h.FBR_tdeg,
                          h.THP_mode, h.SPR_mode, h.SPR_type, h.Round_mode})
            Put(v);
        for (float v : {h.HBW_xdb, h.Lean_xdb, h.THP_xdeg, h.SPR_xdeg, h.SPR_xdb, h.XPD_xdeg, h.XPD_xdb})
            Put(v);
        for (float v : h.THP_xdb) Put(v);
        const VPara& v = doc.Vpara;
        for (float f : {v.VBW_xdb, v.VXPD_xdb, v.FSU_env, v.FSD_env, v.Env_range}) Put(f);
        for (int32_t i : {v.GainCalc_v, v.FSU_envcal}) Put(i);
        Put(v.SS_manual);
        Put(v.SS_auto);
        for (const auto& [from, to] : v.SS_sectors) Put(from + "|" + to);
        Put(doc.rotation);
        Put(doc.levelAdjust);
        for (const RotationHistory::Entry& entry : doc.rotationHistory.entries) {
            Put(entry.key);
            Put(entry.samples);
        }
        Put(doc.rotationHistory.position);
        for (const auto& [key, curve] : doc.envelopes) {
            Put(key);
            Put(curve.points);
        }
        if (doc.Config()) Put(ReadFileText(doc.Config()->FilePath()));
    }
    const std::string& Bytes() const { return m_bytes; }

  private:
    void Put(const std::string& text) {
        Put(text.size());
        m_bytes += text;
    }
    void Put(const Cut& cut) {
        Put(cut.size());
        for (const PatternPoint& point : cut) Put(point);
    }
    template <class T> void Put(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        m_bytes.append(raw, sizeof(T));
    }
    std::string m_bytes;
};

// Where a fingerprint differs first, for a readable failure.
::testing::AssertionResult Same(const Fingerprint& expected, const Fingerprint& actual) {
    const std::string& a = expected.Bytes();
    const std::string& b = actual.Bytes();
    if (a == b) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    return ::testing::AssertionFailure() << "differs at byte " << at << " of " << a.size() << "/" << b.size();
}

class UndoHistoryTest : public ::testing::Test {
  protected:
    UndoHistoryTest() : session(CreateSession(dir.Path().string() + "/", &notifier, &listener)) {
        OpenFilesCommand(*session, CollectPatternFiles({kCampaign}).files);
    }
    CQuadrelDoc& Doc() { return session->Doc(); }
    const PatternFile& File(const std::string& name) { return *Doc().Find(Key(name)); }
    void Drag(double deltaDb) {
        ASSERT_TRUE(DragPressCommand(*session));
        DragMoveCommand(*session, deltaDb);
        DragReleaseCommand(*session);
    }
    void AdjustLevels(const char* from, const char* to, const char* value) {
        LevelForm form = OpenLevelForm(Doc());
        form.overall = false;
        form.fromText = from;
        form.toText = to;
        form.byValue = true;
        form.valueText = value;
        LevelOk(*session, form);
    }
    void Rotate(int32_t mode, const char* angle, bool inData) {
        RotationForm form = OpenRotationForm(Doc());
        form.mode = mode;
        form.targetText = "0";
        form.rotationText = angle;
        ASSERT_TRUE(RotationOk(*session, form, inData));
    }

    TempDir dir;
    RecordingNotifier notifier;
    RecordingListener listener;
    std::unique_ptr<Session> session;
};
} // namespace

// Drag, undo, redo, undo, then a level adjustment: undo takes back the adjustment (not nothing),
// redo gives it back (not the undone drag's samples), and nothing further can be redone.
TEST_F(UndoHistoryTest, LevelAdjustmentAfterAnUndoneDragIsNotLost) {
    const std::string cut = "p1_p45_h_co_2_0_1710.msi";
    ClickFileRows(*session, {Key(cut)});
    const float loadedHmax = File(cut).results.Hmax.fMag;
    Drag(-7.56 - loadedHmax);
    EXPECT_NEAR(File(cut).results.Hmax.fMag, -7.56, 1e-3);
    ASSERT_TRUE(UndoCommand(*session));
    ASSERT_TRUE(RedoCommand(*session));
    ASSERT_TRUE(UndoCommand(*session));
    EXPECT_EQ(File(cut).results.Hmax.fMag, loadedHmax);

    const Fingerprint beforeAdjustment(Doc());
    AdjustLevels("-30", "30", "3");
    const Fingerprint afterAdjustment(Doc());
    const float adjustedHmax = File(cut).results.Hmax.fMag;
    EXPECT_NEAR(adjustedHmax, loadedHmax + 3.0, 1e-3);
    EXPECT_FALSE(RedoCommand(*session)); // the adjustment ended what the undone drag could redo

    ASSERT_TRUE(UndoCommand(*session));
    EXPECT_TRUE(Same(beforeAdjustment, Fingerprint(Doc())));
    ASSERT_TRUE(RedoCommand(*session));
    EXPECT_TRUE(Same(afterAdjustment, Fingerprint(Doc())));
    EXPECT_EQ(File(cut).results.Hmax.fMag, adjustedHmax);
    EXPECT_FALSE(RedoCommand(*session));
}

TEST_F(UndoHistoryTest, MenuEntriesNameTheCommandAndAreEnabledOnlyWithSomethingToDo) {
    const UndoHistory& history = session->history;
    struct Step {
        std::function<void()> run;
        bool canUndo, canRedo;
        std::string undoText, redoText;
    };
    ClickFileRows(*session, {Key("p1_p45_h_co_2_0_1850.msi")});
    const Step steps[] = {
        {[] {}, false, false, "Undo", "Redo"},
        {[&] { AdjustLevels("-30", "30", "3"); }, true, false, "Undo Level Adjustment", "Redo"},
        {[&] { Drag(1.0); }, true, false, "Undo Pattern Drag", "Redo"},
        {[&] { UndoCommand(*session); }, true, true, "Undo Level Adjustment", "Redo Pattern Drag"},
        {[&] { UndoCommand(*session); }, false, true, "Undo", "Redo Level Adjustment"},
        {[&] { EXPECT_FALSE(UndoCommand(*session)); }, false, true, "Undo", "Redo Level Adjustment"},
        {[&] { NonRotateCommand(*session); }, true, false, "Undo Non Rotate", "Redo"},
        {[&] { OpenFilesCommand(*session, {kAntenna + "p1_p45_h_co_2_0_1850.msi"}); }, false, false, "Undo",
         "Redo"},
    };
    int i = 0;
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(history.CanUndo(), step.canUndo) << "step " << i;
        EXPECT_EQ(history.CanRedo(), step.canRedo) << "step " << i;
        EXPECT_EQ(history.UndoText(), step.undoText) << "step " << i;
        EXPECT_EQ(history.RedoText(), step.redoText) << "step " << i;
        ++i;
    }
}

// Every undoable command: undo gives back the state before it, redo the state after it, both bit
// for bit (samples, display copies, results with their done-flags, settings, the stored settings).
TEST_F(UndoHistoryTest, EveryCommandUndoesAndRedoesBitForBit) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> run;
    };
    Doc().SetToggle(SelectionToggle::CoCross, true);
    auto select = [&] { ClickFileRows(*session, {Key("p1_p45_h_co_2_0_1850.msi")}); };
    const Case cases[] = {
        {kEditPatternDrag, select, [&] { Drag(-2.5); }},
        {kEditRotateDisplay, select, [&] { Rotate(RotationSettings::RotateBy, "12.5", false); }},
        {kEditRotateData, select, [&] { Rotate(RotationSettings::RotateBy, "-7", true); }},
        {kEditNonRotate,
         [&] {
             select();
             Rotate(RotationSettings::ToZero, "0", true);
         },
         [&] { NonRotateCommand(*session); }},
        {kEditLevel, select, [&] { AdjustLevels("-60", "45", "-4.25"); }},
        {kEditHSetup, select,
         [&] {
             HSetupForm form = OpenHSetupForm(Doc());
             form.hbwXdb = "6";
             form.xpdXdeg = "30";
             EXPECT_EQ(HSetupOk(*session, form), HSetupStep::Ok);
         }},
        {kEditVSetup, select,
         [&] {
             VSetupForm form = OpenVSetupForm(Doc());
             form.vbwXdb = "6";
             EXPECT_EQ(VSetupOk(*session, form), VSetupStep::Ok);
         }},
        {kEditHSetup,
         [&] {
             HSetupForm form = OpenHSetupForm(Doc());
             form.hbwXdb = "7";
             HSetupOk(*session, form);
         },
         [&] { HSetupDefaults(*session); }},
        {kEditVSetup,
         [&] {
             VSetupForm form = OpenVSetupForm(Doc());
             form.vbwXdb = "7";
             VSetupOk(*session, form);
         },
         [&] { VSetupDefaults(*session); }},
        {kEditRadiation, select,
         [&] { RadiationOk(*session, RadiationForm{!OpenRadiationForm(Doc()).verticalPattern}); }},
        {kEditEnvelope, select, [&] { EXPECT_TRUE(EnvelopeFolderOk(*session, kCampaign + "/Envelope")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        const Fingerprint before(Doc());
        c.run();
        const Fingerprint after(Doc());
        EXPECT_NE(before.Bytes(), after.Bytes()); // the command changed something
        EXPECT_EQ(session->history.UndoName(), c.name);
        ASSERT_TRUE(UndoCommand(*session));
        EXPECT_TRUE(Same(before, Fingerprint(Doc())));
        ASSERT_TRUE(RedoCommand(*session));
        EXPECT_TRUE(Same(after, Fingerprint(Doc())));
    }
}

// A refused entry changes nothing, so there is nothing to undo.
TEST_F(UndoHistoryTest, RefusedEntriesLeaveTheHistoryAlone) {
    ClickFileRows(*session, {Key("p1_p45_h_co_2_0_1850.msi")});
    RotationForm form = OpenRotationForm(Doc());
    form.rotationText = "400";
    EXPECT_FALSE(RotationOk(*session, form, true));
    EXPECT_FALSE(EnvelopeFolderOk(*session, ""));
    HSetupForm hsetup = OpenHSetupForm(Doc());
    hsetup.thpXdeg = "x";
    EXPECT_NE(HSetupOk(*session, hsetup), HSetupStep::Ok);
    EXPECT_FALSE(session->history.CanUndo());
}

// The history keeps the last kDepth edits; the oldest beyond them is forgotten.
TEST_F(UndoHistoryTest, OnlyTheLastEditsAreKept) {
    ClickFileRows(*session, {Key("p1_p45_h_co_2_0_1850.msi")});
    const Cut loaded = File("p1_p45_h_co_2_0_1850.msi").samples;
    for (size_t i = 0; i <= UndoHistory::kDepth; ++i) Drag(0.5);
    size_t undone = 0;
    while (UndoCommand(*session)) ++undone;
    EXPECT_EQ(undone, UndoHistory::kDepth);
    EXPECT_NEAR(File("p1_p45_h_co_2_0_1850.msi").samples.front().fMag, loaded.front().fMag + 0.5, 1e-4);
}

// Each command's change notice names the cuts and fields it changed, before its refresh notices.
TEST_F(UndoHistoryTest, NoticesNameWhatChanged) {
    using C = DocumentChange;
    const std::string cut = Key("p1_p45_h_co_2_0_1850.msi");
    const std::string partner = Key("p1_p45_h_cr_2_0_1850.msi");
    struct Case {
        const char* name;
        std::function<void()> run;
        unsigned fields;
        std::vector<std::string> cuts;
        bool allCuts;
    };
    const Case cases[] = {
        {"click", [&] { ClickFileRows(*session, {cut}); }, C::Selection | C::Results, {cut}, false},
        {"level",
         [&] { AdjustLevels("-30", "30", "3"); },
         C::Samples | C::Results | C::Settings,
         {cut},
         false},
        {"drag", [&] { Drag(1.0); }, C::Samples | C::Results, {cut}, false},
        {"undo", [&] { UndoCommand(*session); }, C::Samples | C::Results, {cut}, false},
        {"rotate",
         [&] { Rotate(RotationSettings::RotateBy, "5", true); },
         C::Samples | C::Results | C::Settings,
         {cut},
         false},
        {"setup",
         [&] {
             VSetupForm form = OpenVSetupForm(Doc());
             form.vbwXdb = "6";
             VSetupOk(*session, form);
         },
         C::Settings | C::Results,
         {},
         true},
        {"indicator flags", [&] { SetIndicatorFlagsCommand(*session, {}); }, C::Settings, {}, false},
        {"both cuts",
         [&] {
             ClickFileRows(*session, {cut, partner});
         },
         C::Selection | C::Results,
         {cut, partner},
         false},
        {"remove",
         [&] { RemoveFilesCommand(*session, {partner}); },
         C::Files | C::Selection | C::Results,
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        listener.changes.clear();
        c.run();
        ASSERT_FALSE(listener.changes.empty());
        const DocumentChange& change = listener.changes.front();
        EXPECT_EQ(change.fields, c.fields);
        EXPECT_EQ(change.cuts, c.cuts);
        EXPECT_EQ(change.allCuts, c.allCuts);
    }
}
