#include "GuiTest.h"
#include "iap/forms/IAPForm.h"

#include <algorithm>
#include <fstream>

namespace {

QString WriteImage(const QTemporaryDir& dir, std::size_t size)
{
    const QString path = dir.filePath(QStringLiteral("writer.cbn"));
    std::ofstream out(path.toStdString(), std::ios::binary);
    for (std::size_t i = 0; i < size; ++i) out.put(char(i * 13));
    return path;
}

}  // namespace

TEST(IAPForm, RefusesAFileThatIsNoImageAndTwoUpdatesInARowEachSendEveryBlock)
{
    LinkedWriter w("COM2");
    ASSERT_TRUE(w.Ready);
    QTemporaryDir dir;
    TIAPForm form(w.Ws, w.Notifier);
    form.SetTiming(IapTiming{0, 0, 50}, 30);
    form.show();
    form.OpenImage(WriteImage(dir, 0x4000));   // no code past the information block
    EXPECT_FALSE(form.BTUPData->isEnabled());
    EXPECT_EQ(w.Notifier.LastText(), IapMessages::kNoCode);
    w.Notifier.Clear();
    form.OpenImage(WriteImage(dir, 0x4000 + 200));
    ASSERT_TRUE(form.BTUPData->isEnabled());
    for (int pass = 1; pass <= 2; ++pass) {
        QTest::mouseClick(form.BTUPData, Qt::LeftButton);
        EXPECT_FALSE(form.BTOpBin->isEnabled());
        EXPECT_FALSE(form.BTUPData->isEnabled());
        ASSERT_TRUE(WaitUntil([&] { return form.BTUPData->isEnabled(); }, 10000));
        EXPECT_EQ(form.IAPStatusBox->currentMessage(), "Update Success!!");
        EXPECT_EQ(form.CGauge1->value(), 100);
        const auto names = w.Box.RequestNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "update block"), 5 * pass);
    }
    EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>(2, "Please Reset Writer Software and Reset Writer!!"));
    // The debug view shows what went over the line.
    EXPECT_FALSE(form.TxData->isVisible());
    QTest::mouseDClick(form.Label1, Qt::LeftButton);
    EXPECT_TRUE(form.TxData->isVisible());
    EXPECT_TRUE(form.TxData->toPlainText().startsWith("A5 00 00 00 00 03 00 "));
}

TEST(IAPForm, EngineeringPanelShowsTheWindow)
{
    RecordingNotifier notes;
    TMainForm main(&notes);
    ASSERT_TRUE(ShowChecked(main));
    QPushButton* button = PanelButton(main, "FW Update");
    ASSERT_TRUE(button);
    button->click();
    ASSERT_TRUE(IAPForm && IAPForm->isVisible());
    EXPECT_LE((IAPForm->geometry().center() - main.geometry().center()).manhattanLength(), 2);
    main.close();
    EXPECT_FALSE(IAPForm && IAPForm->isVisible());
}
