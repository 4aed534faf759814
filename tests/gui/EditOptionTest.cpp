// "Edit OPTION" end to end: the menu item and a double-click on the option
// summary open it, the chosen items reach the chip through an auto program,
// Cancel and an unchanged OK keep the words as they were.
#include "GuiTest.h"
#include "workspace/OptionModel.h"
#include "editors/forms/EditOptionForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>


using EditOptionTest = WriterFormTest;

TEST_F(EditOptionTest, ChosenItemsAreComposedShownAndProgrammed)
{
    ASSERT_TRUE(Drive<TEditOption>(Form.Action("EditOPTION"), EditOption, [](TEditOption& d) {
        EXPECT_EQ(d.stOption[0]->text(), "OSC Type:");
        EXPECT_TRUE(d.stOption[1]->isHidden() && !d.cbOption[1]->isEnabled()) << "the device has no item 2";
        EXPECT_EQ(d.cbOption[0]->currentText(), "Blank");
        EXPECT_EQ(d.Memo1->horizontalScrollBar()->maximum(), 0) << "the legend is read whole";
        EXPECT_LE((d.frameGeometry().center() - d.screen()->availableGeometry().center()).manhattanLength(), 8);
        for (const auto& [item, text] : {std::pair{1, "HF"}, {3, "75mS"}, {4, "Enable"}, {5, "Mid. level"}, {6, "Enable"}})
            d.cbOption[std::size_t(item - 1)]->setCurrentText(QString::fromLatin1(text));
        QTest::mouseClick(d.bbOk, Qt::LeftButton);
    }));
    // 0x0006 | 0x0010 | 0x0040 | 0x0600, security bit clear: 0x0656.
    EXPECT_FALSE(Ws().OptionChanged);
    const char* shown[] = {"HF", "Blank", "75mS", "Enable", "Mid. level", "Enable"};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(OptionValue(Form, i)->text(), shown[i]) << i;
    EXPECT_EQ(Ctl<QLabel>(Form, "stOptionValue")->text(), "56 0C 00 00");

    RunChips(Form.Action("AutoProgramAction"), 1);
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
    EXPECT_EQ(Box.Chip().OptionWords[0], 0x56);
    EXPECT_EQ(Box.Chip().OptionWords[1], 0x0C);
}

TEST_F(EditOptionTest, CancelAndAnUnchangedOkKeepTheWords)
{
    // OSC bits 0x3 name no choice: the list shows none and the value stays.
    Ws().OptionWords[0] = 0x53;
    Ws().OptionWords[1] = 0x5C;
    UpdateOption(Ws());
    Form.ShowStatus();
    const auto words = [this] { return std::vector<uint8_t>(Ws().OptionWords.begin(), Ws().OptionWords.begin() + 4); };
    const auto before = words();

    QTimer::singleShot(0, [] {
        ASSERT_TRUE(WaitUntil([] { return EditOption && EditOption->isVisible(); }));
        EditOption->cbOption[2]->setCurrentIndex(0);
        QTest::mouseClick(EditOption->bbCancel, Qt::LeftButton);
    });
    QSignalSpy edits(Form.Action("EditOptionAction"), &QAction::triggered);
    QTest::mouseDClick(OptionValue(Form, 0), Qt::LeftButton);
    EXPECT_EQ(edits.count(), 1);
    EXPECT_EQ(words(), before);

    ASSERT_TRUE(Drive<TEditOption>(Form.Action("EditOptionAction"), EditOption, [](TEditOption& d) {
        EXPECT_EQ(d.cbOption[0]->currentIndex(), -1);
        QTest::mouseClick(d.bbOk, Qt::LeftButton);
    }));
    EXPECT_EQ(words(), before);
    EXPECT_EQ(OptionValue(Form, 0)->text(), "Error");
}
