// "Edit OPTION" end to end: F4 and a double-click on the option summary open
// it, the chosen items reach the chip through an auto program, Cancel and an
// unchanged OK keep the words as they were.
#include "DialogDriving.h"
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "app/OptionModel.h"
#include "editors/forms/EditOptionForm.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

class EditOptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Box.Start());
        ASSERT_TRUE(Box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
        Form.show();
        PrepareProgram(Ws());
    }
    Workspace& Ws() { return Form.GetWorkspace(); }
    std::array<uint8_t, 4> Words() { return {Ws().OptionWords[0], Ws().OptionWords[1], Ws().OptionWords[2], Ws().OptionWords[3]}; }
    // Picks each list's entry by its text.
    static void Choose(TEditOption& d, std::initializer_list<std::pair<int, const char*>> picks)
    {
        for (const auto& [item, text] : picks) {
            QComboBox* list = d.cbOption[static_cast<std::size_t>(item - 1)];
            const int index = list->findText(QString::fromLatin1(text));
            ASSERT_GE(index, 0) << text;
            list->setCurrentIndex(index);
        }
    }

    WriterBox Box;
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
};

}  // namespace

TEST_F(EditOptionTest, ChosenItemsAreComposedShownAndProgrammed)
{
    EXPECT_TRUE(Form.Action("EditOptionAction")->isEnabled());
    ASSERT_TRUE(Drive<TEditOption>(Form.Action("EditOPTION"), EditOption, [](TEditOption& d) {
        EXPECT_EQ(d.windowTitle(), "Edit OPTION");
        EXPECT_EQ(d.stOption[0]->text(), "OSC Type:");
        EXPECT_TRUE(d.stOption[1]->isHidden()) << "the device has no item 2";
        EXPECT_FALSE(d.cbOption[1]->isEnabled());
        EXPECT_EQ(d.cbOption[0]->currentText(), "Blank");
        Choose(d, {{1, "HF"}, {3, "75mS"}, {4, "Enable"}, {5, "Mid. level"}, {6, "Enable"}});
        QTest::mouseClick(d.bbOk, Qt::LeftButton);
    }));
    // 0x0006 | 0x0010 | 0x0040 | 0x0600, security bit clear: 0x0656.
    EXPECT_EQ(Ws().OptionWords[0], 0x56);
    EXPECT_EQ(Ws().OptionWords[1], 0x0C);
    EXPECT_FALSE(Ws().OptionChanged);
    const char* shown[] = {"HF", nullptr, "75mS", "Enable", "Mid. level", "Enable"};
    for (int i = 0; i < 6; ++i)
        if (shown[i]) {
            EXPECT_EQ(Form.lbOption[std::size_t(i)]->text(), shown[i]) << i;
        }
    EXPECT_EQ(Form.stOptionValue->text(), "56 0C 00 00");

    RunChips(Form.Action("AutoProgramAction"), 1);
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
    const SimulatedChip chip = Box.Chip();
    // The catalogue's devices have one option word.
    EXPECT_EQ(chip.OptionWords[0], 0x56);
    EXPECT_EQ(chip.OptionWords[1], 0x0C);
}

TEST_F(EditOptionTest, CancelAndAnUnchangedOkKeepTheWords)
{
    // OSC bits 0x3 name no choice: the list shows none and the value stays.
    Ws().OptionWords[0] = 0x53;
    Ws().OptionWords[1] = 0x5C;
    UpdateOption(Ws());
    Form.ShowStatus();
    const auto before = Words();
    ASSERT_EQ(Form.lbOption[0]->text(), "Error");

    // A double-click on the summary opens the editor too.
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(WaitFor([] { return EditOption && EditOption->isVisible(); }));
        EditOption->cbOption[2]->setCurrentIndex(0);
        QTest::mouseClick(EditOption->bbCancel, Qt::LeftButton);
    });
    QTest::mouseDClick(Form.lbOption[0], Qt::LeftButton);
    EXPECT_EQ(Form.HandlerRunCount("EditOPTIONClick"), 1);
    EXPECT_EQ(Words(), before);

    ASSERT_TRUE(Drive<TEditOption>(Form.Action("EditOptionAction"), EditOption, [](TEditOption& d) {
        EXPECT_EQ(d.cbOption[0]->currentIndex(), -1);
        QTest::mouseClick(d.bbOk, Qt::LeftButton);
    }));
    EXPECT_EQ(Words(), before);
    EXPECT_EQ(Form.lbOption[0]->text(), "Error");
}
