#include "GuiTest.h"
#include "../link/LinkTestSupport.h"
#include "iap/forms/IAPForm.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "link/forms/DeviceForm.h"

TEST(DeviceForm, SelectDefultDownloadsEveryCatalogueDeviceOffTheGuiThread)
{
    LinkedWriter w("COM2");
    ASSERT_TRUE(w.Ready);
    SelectTestDevice(w.Ws);
    TDeviceForm form(w.Ws, w.Notifier);
    form.SetTimeoutHundredths(30);
    form.show();
    QTest::mouseClick(form.btnDefult, Qt::LeftButton);
    form.CheckListBox1->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(form.StaticText1->text(), "10");

    QTest::mouseClick(form.DownLoad, Qt::LeftButton);
    EXPECT_FALSE(form.DownLoad->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return form.DownLoad->isEnabled(); }, 10000));
    EXPECT_EQ(form.CGauge1->value(), 100);
    const DeviceListState list = w.Box.Snapshot().DeviceList;
    int kept = 0;
    for (const auto& slot : list.Slots) kept += !slot.empty();
    EXPECT_EQ(kept, 10);
    EXPECT_EQ(std::string(list.Slots[2].begin() + 2, list.Slots[2].begin() + 8), "72Q566");
    EXPECT_TRUE(w.Notifier.Prompts.empty()) << w.Notifier.LastText();
}

TEST(DeviceForm, DownloadCommandOpensTheDialog)
{
    RecordingNotifier notes;
    TMainForm main(&notes);
    ASSERT_TRUE(ShowChecked(main));
    bool opened = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([&] { return DeviceForm && DeviceForm->isVisible(); }));
        opened = true;
        QTest::mouseClick(DeviceForm->Exit, Qt::LeftButton);
    });
    main.Action("DownLoad1")->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(DeviceForm, nullptr);
}

// A screen reader finds every control of the writer-maintenance windows and
// the engineering panel by what the user reads on it: a button by its
// caption, an edit, list or log by the label before it.
TEST(DeviceForm, MaintenanceWindowsNameEachControlByWhatTheUserReads)
{
    Workspace ws;
    RecordingNotifier notes;
    TDeviceForm device(ws, notes);
    TAutoWriterSetupForm setup(ws);
    TIAPForm iap(ws, notes);
    TMainForm main(&notes);
    for (QWidget* form : std::initializer_list<QWidget*>{&device, &setup, &iap, Ctl<QFrame>(main, "Panel2")}) {
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus || qobject_cast<QAbstractScrollArea*>(w->parentWidget())) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_TRUE(a);
            const QString name = a->text(QAccessible::Name);
            const auto* button = qobject_cast<QAbstractButton*>(w);
            if (button) {
                EXPECT_EQ(name, button->text());
            } else if (w != iap.CatchThread) {   // the thread log has no label
                EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
            }
        }
    }
}
