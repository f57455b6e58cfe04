// The skill page on real Qt widgets, offscreen: the target and the fields
// each kind gives, the penalty factor as a double, the hidden record 0 and
// the record count, the attribute row "なし", and the sound picked and
// previewed.
#include "editor/database/SkillPage.h"
#include "editor/framework/InputDialogs.h"
#include "editor/framework/ModalRuns.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <set>

namespace
{

// A sound device that opens every file but the missing ones and records the calls.
class RecordingSounds : public MciDevice
{
public:
    int Open(std::string_view, std::string_view file, uint32_t& deviceId) override
    {
        m_Calls.push_back("Open " + std::string(file));
        deviceId = m_Missing.count(std::string(file)) ? 0 : m_nNext++;
        return deviceId ? kMciOk : kMciErrorFileNotFound;
    }
    int Play(uint32_t id, bool, uint32_t, bool, platform::WindowHandle) override
    {
        m_Calls.push_back("Play " + std::to_string(id));
        return kMciOk;
    }
    int Stop(uint32_t) override { return kMciOk; }
    int Pause(uint32_t) override { return kMciOk; }
    int SeekToStart(uint32_t) override { return kMciOk; }
    int Close(uint32_t) override { return kMciOk; }

    std::vector<std::string> m_Calls;
    std::set<std::string> m_Missing;

private:
    uint32_t m_nNext = 1;
};

class QtSkillPageTest : public QtDatabaseTest
{
protected:
    void TearDown() override
    {
        // The sheet's close may still reach the device: it lives in the fixture, past this.
        QtDatabaseTest::TearDown();
        EditorSounds.Close();
        EditorSounds.SetDevice(nullptr);
    }
    SkillPage& Skills() const { return *static_cast<SkillPage*>(Sheet().Page(kPageSkill)); }
    bool Enabled(int id) const { return m_System.Resolve(Item(Skills(), id))->IsEnabled(); }
    QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(Widget(Skills(), id)); }
    bool Ticked(int id) const { return platform::ModelOf<platform::ButtonModel>(Item(Skills(), id))->Check() != 0; }

    RecordingSounds m_Sounds;
};

// Skills named "S1", "S2", ... after record 0.
void NamedSkills(int count)
{
    SkillTable.resize(static_cast<size_t>(count + 1));
    for (int i = 0; i <= count; ++i)
    {
        SkillTable.At(i).SetDefaults();
        SkillTable.At(i).m_strName = "S" + std::to_string(i);
    }
}

TEST_F(QtSkillPageTest, EachKindSetsItsTargetAndEnablesItsFields)
{
    NamedSkills(1);
    SkillTable.At(1).m_bQuick = 1;
    Open();
    ShowPage(kPageSkill);
    struct Case
    {
        int m_nKind;
        int m_nTarget;
        bool m_bQuick;
        bool m_bPower;
        bool m_bOthers;
    };
    const Case cases[] = {
        {0, 1, true, true, true},  {1, 1, true, true, true},  {2, 0, true, true, true}, {3, 0, true, true, true},
        {4, 2, false, true, false}, {5, 0, true, false, true}, {6, 3, true, true, false}, {0, 1, true, true, true},
    };
    for (const Case& c : cases)
    {
        ChooseRow(Skills(), kIdEffectKind, c.m_nKind);
        EXPECT_EQ(Combo(kIdSkillTarget)->currentIndex(), c.m_nTarget) << "kind " << c.m_nKind;
        EXPECT_EQ(Skills().Working().At(1).m_nTarget, c.m_nTarget) << "kind " << c.m_nKind;
        EXPECT_EQ(Enabled(kIdSkillQuick), c.m_bQuick) << "kind " << c.m_nKind;
        EXPECT_EQ(Enabled(kIdSkillPower), c.m_bPower) << "kind " << c.m_nKind;
        for (int id : std::initializer_list<int>{kIdEffectAttribute, kIdEffectCritical, 11037, 11045, 11068})
        {
            EXPECT_EQ(Enabled(id), c.m_bOthers) << "kind " << c.m_nKind << " control " << id;
        }
        EXPECT_TRUE(Enabled(kIdEffectHitRate));
        EXPECT_TRUE(Enabled(kIdEffectGraphic));
    }
    // 時間 unticked the quick box, and the commit stored it.
    EXPECT_FALSE(Ticked(kIdSkillQuick));
    EXPECT_EQ(Skills().Working().At(1).m_bQuick, 0);
}

TEST_F(QtSkillPageTest, AKindWithoutARuleKeepsItsTargetAndEverythingEnabledAndIsStoredAsItWas)
{
    NamedSkills(1);
    SkillTable.At(1).m_nKind = 9;
    SkillTable.At(1).m_nTarget = 3;
    Open();
    ShowPage(kPageSkill);
    EXPECT_EQ(Combo(kIdEffectKind)->currentIndex(), -1);
    EXPECT_EQ(Combo(kIdSkillTarget)->currentIndex(), 3);
    for (int id : std::initializer_list<int>{kIdSkillQuick, kIdSkillPower, kIdEffectAttribute, kIdEffectCritical,
                                             11037})
    {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    TypeAtEnd(Skills(), kIdEffectName, "x");
    EXPECT_EQ(Skills().Working().At(1).m_strName, "S1x");
    EXPECT_EQ(Skills().Working().At(1).m_nKind, 9);
    EXPECT_EQ(Skills().Working().At(1).m_nTarget, 3);
}

TEST_F(QtSkillPageTest, APenaltyOfTwoPointFiveIsStoredAsADoubleAndShownWithOneDecimal)
{
    NamedSkills(1);
    Open();
    ShowPage(kPageSkill);
    QLineEdit* penalty = Edit(Skills(), kIdSkillPenalty);
    penalty->selectAll();
    TypeKeys(penalty, "2.5");
    QTest::keyClick(penalty, Qt::Key_Tab);
    m_System.PumpMessages();
    EXPECT_EQ(Skills().Working().At(1).m_dLearnLevelFactor, 2.5);
    EXPECT_EQ(penalty->text(), "2.5");
    ClickSheetButton(platform::kIdSheetApply);
    auto skills = DatabaseProject::LoadTable<SkillRecord>("data\\database\\Skill.dat");
    ASSERT_EQ(skills.size(), 2u);
    EXPECT_EQ(skills.At(1).m_dLearnLevelFactor, 2.5);
}

TEST_F(QtSkillPageTest, RecordZeroIsNeverListedAndACountOfThreeOnTenRecordsKeepsRecordsZeroToThree)
{
    System.m_SkillCategory.resize(2);
    System.m_SkillCategory.At(1).m_strName = "魔法";
    NamedSkills(9);
    SkillTable.At(2).m_nCategory = 1;
    Open();
    ShowPage(kPageSkill);
    QStringList rows = Rows(Skills(), kIdSkillList);
    ASSERT_EQ(rows.size(), 10);
    EXPECT_EQ(rows[0], platform::FromCp932("1 " + System.m_SkillCategory.At(0).m_strName + "-S1"));
    EXPECT_EQ(rows[1], platform::FromCp932("2 魔法-S2"));

    ScriptedModalRuns runs;
    runs.Answer([](DialogBase& dialog) {
        auto* edit = platform::ModelOf<platform::EditModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), kIdInputEdit));
        EXPECT_EQ(edit->Text(), "9");
        edit->UserReplace("3", 0, static_cast<int>(edit->Text().size()));
        platform::ModelOf<platform::ButtonModel>(AppWindowSystem->GetDlgItem(dialog.Handle(), 1006))->UserClick();
    });
    ClickButton(Skills(), kIdDatabaseCount);
    ASSERT_EQ(Skills().Working().size(), 4u);
    EXPECT_EQ(Skills().Working().At(0).m_strName, "S0");
    EXPECT_EQ(Skills().Working().At(3).m_strName, "S3");
    EXPECT_EQ(Rows(Skills(), kIdSkillList).size(), 4);
}

TEST_F(QtSkillPageTest, TheAttributeRowZeroReadsNashiWhateverAttributeZeroIsCalled)
{
    System.m_Attribute.resize(3);
    System.m_Attribute.At(0).m_strName = "無属性";
    System.m_Attribute.At(1).m_strName = "火";
    System.m_Attribute.At(2).m_strName = "水";
    NamedSkills(1);
    Open();
    ShowPage(kPageSkill);
    QComboBox* attribute = Combo(kIdEffectAttribute);
    ASSERT_EQ(attribute->count(), 3);
    EXPECT_EQ(attribute->itemText(0), platform::FromCp932("なし"));
    EXPECT_EQ(attribute->itemText(2), platform::FromCp932("水"));
}

TEST_F(QtSkillPageTest, TheSoundPickedIsKeptRelativeAndPlayedOnThePreviewSound)
{
    RecordingSounds& sounds = m_Sounds;
    EditorSounds.SetDevice(&sounds);
    EditorSounds.Open("waveaudio", {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    m_Folder.WriteFile("wave/SkillAndItem/x.wav", std::string("RIFF"));
    NamedSkills(1);
    Open();
    ShowPage(kPageSkill);
    sounds.m_Calls.clear();
    ClickButton(Skills(), kIdEffectPlay); // an empty field: no call
    EXPECT_TRUE(sounds.m_Calls.empty());

    m_Boxes.AnswerFileDialog({(m_Folder.Path() / "wave/SkillAndItem/x.wav").string()});
    ClickButton(Skills(), kIdEffectBrowse);
    ASSERT_EQ(m_Boxes.FileRequests().size(), 1u);
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strTitle, "効果音の選択");
    EXPECT_EQ(m_Boxes.FileRequests()[0].m_strInitialFolder, "wave\\SkillAndItem\\");
    const std::string stored = ".\\wave\\SkillAndItem\\x.wav";
    EXPECT_EQ(Skills().Working().At(1).m_strSound, stored);

    ClickButton(Skills(), kIdEffectPlay);
    EXPECT_EQ(sounds.m_Calls, (std::vector<std::string>{"Open " + stored, "Play 6"}));
    EXPECT_TRUE(m_Boxes.Boxes().empty());

    sounds.m_Missing.insert(stored);
    ClickButton(Skills(), kIdEffectPlay);
    ASSERT_EQ(m_Boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_Boxes.Boxes()[0].m_strText, stored + "が読み込めません！");
    EXPECT_EQ(sounds.m_Calls.back(), "Open " + stored);
}

} // namespace
