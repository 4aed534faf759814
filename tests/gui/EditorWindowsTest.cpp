// The editor windows end to end: what the user sees and edits in them
// reaches the simulated writer's chip through the chip commands, and what
// the chip holds shows in them after "Read IC".
#include "GuiTest.h"
#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "editors/EditorCells.h"
#include "editors/forms/CounterSetupForm.h"
#include "editors/forms/EEDataForm.h"
#include "editors/forms/EditSingleData.h"
#include "editors/forms/HexGrid.h"
#include "editors/forms/IDChecksumForm.h"
#include "editors/forms/MemoryWindow.h"

namespace {

class EditorWindowsTest : public ::testing::Test {
protected:
    WriterBox Box;
    RecordingNotifier Notes;
    std::unique_ptr<TMainForm> Form;

    void SetUp() override
    {
        ASSERT_TRUE(ServeAsCom1(Box));
        Form = std::make_unique<TMainForm>(&Notes);
        ASSERT_TRUE(ShowActive(*Form));
        SetProgrammableData(Ws());   // the reset word is not blank
        Form->RebuildMemoryGrid();
    }
    void TearDown() override
    {
        if (Form) Form->close();
    }

    Workspace& Ws() { return Form->GetWorkspace(); }
    void RunOnChip(const char* action)
    {
        RunToEnd([&] { Form->Action(QString::fromLatin1(action))->trigger(); });
    }

    static void DoubleClickCell(QTableView* view, int row, int column)
    {
        const QModelIndex cell = view->model()->index(row, column);
        view->scrollTo(cell);
        const QPoint at = view->visualRect(cell).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

}  // namespace

TEST_F(EditorWindowsTest, ReadIcShowsTheChipsWordsInTheGrid)
{
    SimulatedChip chip = Box.Chip();
    for (std::size_t k = 0; 2 * k < Ws().RomBytes; ++k) {
        chip.ProgramMemory[2 * k] = uint8_t((k * 11) & 0x7F);
        chip.ProgramMemory[2 * k + 1] = uint8_t((k * 3 + 1) & 0x7F);
    }
    Box.SetChip(chip);
    RunOnChip("ReadICAction");

    TMDIChild* window = OpenMemoryWindow(*Form);
    ASSERT_NE(window, nullptr);
    const QAbstractItemModel* grid = window->StringGrid1->model();
    ASSERT_EQ(grid->rowCount(), MemoryGridRows(Ws()));
    for (int w = 0; 2 * w < int(Ws().RomBytes); ++w) {
        const uint32_t value = (uint32_t(chip.ProgramMemory[2 * w + 1]) << 7) | chip.ProgramMemory[2 * w];
        ASSERT_EQ(grid->index(w / 8, w % 8).data().toString().toStdString(), WordToHex(value)) << w;
    }
}

TEST_F(EditorWindowsTest, AWordEditedInTheGridReachesTheChip)
{
    TMDIChild* window = OpenMemoryWindow(*Form);
    ASSERT_NE(window, nullptr);
    QTableView* grid = window->StringGrid1;
    for (const bool ok : {true, false}) {   // OK stores; Cancel then leaves the word as it is
        bool edited = false;
        WhenModal<TEditSingleData>(
            [&](TEditSingleData* editor) {
                EXPECT_EQ(editor->Label1->buddy(), editor->Edit1);
                if (!ok) {
                    Type(editor->Edit1, "0");
                    return QTest::mouseClick(editor->CancelBtn, Qt::LeftButton);
                }
                Type(editor->Edit1, "4000");
                QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
                EXPECT_EQ(Notes.LastText(), "Invalid Value,too large!");
                EXPECT_TRUE(editor->isVisible()) << "a refused value keeps the editor open";
                // Non-hex keys never reach the field; the edit stays with the
                // opened cell whatever the selection does meanwhile.
                Type(editor->Edit1, "12xz3g4");
                EXPECT_EQ(editor->Edit1->text(), "1234");
                grid->setCurrentIndex(grid->model()->index(5, 5));
                QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
            },
            &edited);
        DoubleClickCell(grid, 2, 3);
        ASSERT_TRUE(edited);
        const ProgramWord stored = ReadProgramWord(Ws(), 19);
        EXPECT_EQ(stored.Low, 0x34);
        EXPECT_EQ(stored.High, 0x24);
        EXPECT_EQ(grid->model()->index(2, 3).data().toString(), "1234");
    }
    EXPECT_EQ(Ctl<QLabel>(*Form, "Label11")->text().toStdString(), Ws().Status.ProgramChecksum);

    RunOnChip("ProgramMemory2");
    const SimulatedChip chip = Box.Chip();
    EXPECT_EQ(chip.ProgramMemory[38], 0x34);
    EXPECT_EQ(chip.ProgramMemory[39], 0x24);
}

TEST_F(EditorWindowsTest, AnEepromByteEditedInTheGridReachesTheChipAndTheWindowStays)
{
    ASSERT_NE(EEDataForm, nullptr) << "every catalogue device has EEPROM";
    QTableView* grid = EEDataForm->StringGrid1;
    bool edited = false;
    WhenModal<TEditSingleData>(
        [&](TEditSingleData* editor) {
            EXPECT_EQ(editor->Edit1->text(), "FF");
            Type(editor->Edit1, "1FF");
            QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
            EXPECT_EQ(Notes.LastText(), "Invalid Value,too large!");
            Type(editor->Edit1, "12");
            QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
        },
        &edited);
    DoubleClickCell(grid, 1, 5);
    ASSERT_TRUE(edited);
    EXPECT_EQ(Ws().EepromBuffer[0x15], 0x12);
    EXPECT_EQ(grid->model()->index(1, 5).data().toString(), "12");

    // A chip run redraws the open window in place: the same window, its place kept.
    const QPointer<TEEDataForm> window = EEDataForm;
    Ws().EepromBuffer[0x16] = 0x34;
    RunOnChip("WriteEE");
    EXPECT_EQ(Box.Chip().Eeprom[0x15], 0x12);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->StringGrid1->model()->index(1, 6).data().toString(), "34");
}

TEST_F(EditorWindowsTest, AnIdTypedAsTextReachesTheChipsIdWords)
{
    ASSERT_NE(IDChecksumForm, nullptr);
    bool edited = false;
    WhenModal<TIDModify>(
        [](TIDModify* editor) {
            EXPECT_EQ(editor->Label1->buddy(), editor->Edit1) << "text mode: the text field, labelled";
            Type(editor->Edit1, "KRV-12");
            QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
        },
        &edited);
    QTest::mouseClick(IDChecksumForm->Button1, Qt::LeftButton);
    ASSERT_TRUE(edited);
    const uint8_t expected[12] = {'K', 'R', 'V', '-', '1', '2', 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F};
    EXPECT_TRUE(std::equal(expected, expected + 12, Ws().IdWords.begin()));
    EXPECT_EQ(IDChecksumForm->Label2->text(), "KRV-12" + QString(6, QChar(0x25A1)));

    // The main window's ID line follows the display mode; the window made
    // in text mode shows the whole hex line.
    IDChecksumForm->HexItem->click();
    EXPECT_EQ(Ctl<QLabel>(*Form, "Label18")->text(), "4B 52 56 2D 31 32 7F 7F 7F 7F 7F 7F");
    const QLabel* id = IDChecksumForm->Label2;
    EXPECT_GE(id->contentsRect().width(), id->fontMetrics().horizontalAdvance(id->text()));
    EXPECT_TRUE(IDChecksumForm->rect().contains(id->geometry().translated(id->parentWidget()->pos())));

    RunOnChip("ID3");
    EXPECT_TRUE(std::equal(expected, expected + 12, Box.Chip().IdChecksum.begin()));

    // Nothing of a paste the hex keys refuse gets in; in text mode an OK
    // without a change keeps the bytes the field cannot show.
    const uint8_t odd[12] = {0x4B, 0x52, 0x56, 0x2D, 0x49, 0x44, 1, 2, 3, 4, 5, 6};
    std::copy(odd, odd + 12, Ws().IdWords.begin());
    for (QRadioButton* mode : {IDChecksumForm->HexItem, IDChecksumForm->AsciiItem}) {
        mode->click();
        edited = false;
        WhenModal<TIDModify>(
            [](TIDModify* editor) {
                QGuiApplication::clipboard()->setText(QStringLiteral("ZZ-!"));
                editor->MaskEdit2->selectAll();
                QTest::keySequence(editor->MaskEdit2, QKeySequence::Paste);
                QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
            },
            &edited);
        QTest::mouseClick(IDChecksumForm->Button1, Qt::LeftButton);
        ASSERT_TRUE(edited) << mode->text().toStdString();
        EXPECT_TRUE(std::equal(odd, odd + 12, Ws().IdWords.begin())) << mode->text().toStdString();
    }
}

TEST_F(EditorWindowsTest, CounterSetToFiveShowsSixAfterOneAutoProgram)
{
    bool set = false;
    WhenModal<TCounterSetupForm>(
        [](TCounterSetupForm* dialog) {
            EXPECT_EQ(dialog->Label1->buddy(), dialog->Edit1);
            Type(dialog->Edit1, "");
            EXPECT_FALSE(dialog->BitBtn1->isEnabled()) << "an empty count is refused";
            QTest::keyClicks(dialog->Edit1, "x5!");
            EXPECT_EQ(dialog->Edit1->text(), "5");
            QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        },
        &set);
    Form->Action("CounterMode1")->trigger();
    ASSERT_TRUE(set);
    EXPECT_EQ(Ctl<QLabel>(*Form, "Label13")->text(), "5");

    RunOnChip("AutoProgramAction");
    EXPECT_EQ(Ctl<QLabel>(*Form, "Label13")->text(), "6");
}

TEST_F(EditorWindowsTest, ViewCommandsReopenClosedWindowsAndBringOpenOnesForward)
{
    auto windows = [this] { return Form->ClientArea()->subWindowList().size(); };
    const auto atShow = windows();
    qobject_cast<QMdiSubWindow*>(OpenMemoryWindow(*Form)->parentWidget())->close();
    QTest::mouseClick(IDChecksumForm->Button2, Qt::LeftButton);   // "Exit"
    EXPECT_FALSE(Ws().MemoryWindowOpen || Ws().IDFormOpen);
    EXPECT_TRUE(WaitUntil([&] { return windows() == atShow - 2; }));

    for (int twice = 0; twice < 2; ++twice) {
        Form->Action("ProgramMemory1")->trigger();
        Form->Action("ID2")->trigger();
    }
    EXPECT_EQ(windows(), atShow);
    EXPECT_EQ(Form->ClientArea()->activeSubWindow()->widget(), IDChecksumForm);

    // A fill of program memory redraws the open grid in place.
    TMDIChild* memory = OpenMemoryWindow(*Form);
    bool filled = false;
    FillWhenAsked("0", "7", "0ABC", &filled);
    Form->Action("FillBuffer1")->trigger();
    EXPECT_TRUE(filled);
    EXPECT_EQ(OpenMemoryWindow(*Form), memory);
    EXPECT_EQ(memory->StringGrid1->model()->index(0, 7).data().toString(), "0ABC");
}

// A grid draws what its last refresh took: a repaint during a run never
// reads the workspace the engine is writing.
TEST(HexGrid, DrawsWhatItsLastRefreshTookFromTheWorkspace)
{
    Workspace ws;
    SetCreationDefaults(ws);
    HexGridModel model(ws, {EepromGridRows, kEepromGridColumns, EepromCellText, EepromColumnHeader, EepromRowLabel});
    ws.EepromBuffer[0] = 0x5A;
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "FF");
    model.Refresh();
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "5A");
}

// A screen reader names each child window, its frame and the form in it, by
// the caption, and follows a new caption.
TEST_F(EditorWindowsTest, ChildWindowsAreNamedByTheirCaptions)
{
    Form->Action("Disassemble1")->trigger();
    const auto names = [this] {
        QStringList list;
        for (QMdiSubWindow* frame : Form->ClientArea()->subWindowList()) {
            const QString name = QAccessible::queryAccessibleInterface(frame->widget())->text(QAccessible::Name);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(frame)->text(QAccessible::Name), name);
            list << name;
        }
        list.sort();
        return list;
    };
    EXPECT_EQ(names(), QStringList({"Disassembly", "EEPROM data", "ID and Checksum", "Program Memory"}));
    OpenMemoryWindow(*Form)->setWindowTitle(QStringLiteral("/work/p.chx"));
    EXPECT_EQ(names(), QStringList({"/work/p.chx", "Disassembly", "EEPROM data", "ID and Checksum"}));
}

// In a small main window each child window opens wholly inside the client
// area, the program-memory window also when "Clear Buffer" makes it anew.
// Where a window lands depends on those open before it: two orders.
TEST_F(EditorWindowsTest, ChildWindowsOpenInsideASmallClientArea)
{
    QMdiArea* area = Form->ClientArea();
    const int wide = area->viewport()->width();
    Form->resize(880, 600);   // still room for the largest, the disassembly window
    for (const QStringList& commands : {QStringList{"ID2", "ProgramMemory1", "EEPROM1", "Disassemble1", "ClearBuffer1",
                                                    "Disassemble1"},
                                        QStringList{"ProgramMemory1", "ID2"}}) {
        for (QMdiSubWindow* frame : area->subWindowList()) frame->close();
        ASSERT_TRUE(WaitUntil([&] { return area->viewport()->width() < wide && area->subWindowList().isEmpty(); }));
        for (const QString& command : commands) {
            Form->Action(command)->trigger();
            for (const QMdiSubWindow* frame : area->subWindowList())
                EXPECT_TRUE(area->viewport()->rect().contains(frame->geometry()))
                    << command.toStdString() << ": " << frame->windowTitle().toStdString();
        }
    }
}
