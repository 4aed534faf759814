#include "GuiTest.h"
#include "infosheet/forms/InfoForm.h"
#include "platform/JpegImage.h"
#include <QPrinter>

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class InfoFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Main{&Notes};
    QTemporaryDir Dir;
    ScriptedFileDialogs Dialogs;
    const std::vector<file_forms::FileDialogRequest>& Requests = Dialogs.Requests;
    QString& Chosen = Dialogs.Path;

    void SetUp() override
    {
        ASSERT_TRUE(ShowChecked(Main));
        Ws().ProgramFileName = "/data/pump.main.hex";
        Ws().CustomerName = "Acme";
        Ws().CustomerProject = "Pump";
        Ws().ProgramMemory[0] = 0x12;
        Ws().OptionStatus = 0;
        Notes.Clear();
    }
    void TearDown() override
    {
        SetPrinterSource({});
        Main.hide();
    }
    Workspace& Ws() { return Main.GetWorkspace(); }
    // A shown dialog with every required field filled.
    std::unique_ptr<TInfoForm> Dialog()
    {
        auto dialog = std::make_unique<TInfoForm>(Main);
        dialog->show();
        dialog->edCodeNo->setText(QStringLiteral("C17"));
        return dialog;
    }
};

} // namespace

TEST_F(InfoFormTest, CommandOpensTheDialogAfterItsChecksAndExitCarriesTheFieldsBack)
{
    Ws().ProgramMemory[0] = 0xFF;
    Ws().ProgramMemory[1] = 0xFF;
    Main.Action(QStringLiteral("tbInfoSheet"))->trigger();
    EXPECT_EQ(Notes.Texts(), std::vector<std::string>{"Data memory are blank or error"});

    Ws().ProgramMemory[0] = 0x12;
    Ws().Status.OptionItems[5].Value = "Enable";
    Main.ShowStatus();
    QString device, fileName;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TInfoForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        device = form->stDeviceName->text();
        fileName = form->stDataFileName->text();
        form->edFrequency->setText(QStringLiteral("4M"));
        Notes.Script({Answer::Yes, Answer::Yes});
        form->bbExit->click();
    });
    Main.Action(QStringLiteral("GenerateCustomerInformationSheet1"))->trigger();
    EXPECT_EQ(device, Ctl<QComboBox>(Main, "ComboBox2")->currentText());
    EXPECT_EQ(fileName, "pump.main.hex");
    EXPECT_EQ(Notes.LastText(), "Have not saved. Exit?");
    EXPECT_EQ(Ws().OperatingFrequency, "4M");
}

TEST_F(InfoFormTest, PictureIsA740By1046JpegWithItsTitleAndNoToReplaceKeepsTheOldBytes)
{
    auto form = Dialog();
    form->cbPrintToFile->setChecked(true);
    Chosen = Dir.filePath(QStringLiteral("sheet.jpg"));
    form->bbPrint->click();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].FileName, "pump.jpg");
    EXPECT_EQ(Requests[0].FilterIndex, 2);
    EXPECT_TRUE(form->Printed);
    const QByteArray bytes = Read(Chosen);
    JpegImage page;
    ASSERT_TRUE(DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()), page).Ok);
    ASSERT_EQ(page.Width, 740);
    ASSERT_EQ(page.Height, 1046);
    auto dark = [&](int x, int y) {
        const uint8_t* p = &page.Rgb[(std::size_t(y) * 740 + std::size_t(x)) * 3];
        return p[0] + p[1] + p[2] < 300;
    };
    int title = 0, gap = 0;
    for (int x = 0; x < 740; ++x) {
        for (int y = 160; y < 184; ++y) title += dark(x, y) && x > 100 && x < 640;
        for (int y = 136; y < 160; ++y) gap += dark(x, y);
    }
    EXPECT_GT(title, 200);   // the title's letters in its band, centred
    EXPECT_EQ(gap, 0);       // nothing between the header picture and the title

    form->Printed = false;
    Notes.Script({Answer::No});
    form->bbPrint->click();
    EXPECT_EQ(Notes.LastText(), "File Exists, Replace?");
    EXPECT_EQ(Read(Chosen), bytes);
    EXPECT_FALSE(form->Printed);
}

TEST_F(InfoFormTest, PdfPrinterGetsOnePageWithTheDeviceAndTheChecksums)
{
    const QString pdf = Dir.filePath(QStringLiteral("sheet.pdf"));
    SetPrinterSource([pdf] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    auto form = Dialog();
    form->bbPrint->click();
    EXPECT_TRUE(form->Printed);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromLatin1(text.readAllStandardOutput());
    EXPECT_EQ(out.count(QLatin1Char('\f')), 1) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Customer Information Sheet for ") + Ctl<QComboBox>(Main, "ComboBox2")->currentText()));
    ASSERT_FALSE(Ctl<QLabel>(Main, "Label11")->text().isEmpty());
    EXPECT_TRUE(out.contains(Ctl<QLabel>(Main, "Label11")->text() + QLatin1Char('H'))) << out.toStdString();
    EXPECT_TRUE(out.contains(Ctl<QLabel>(Main, "OptChecksum")->text() + QLatin1Char('H'))) << out.toStdString();
}

TEST_F(InfoFormTest, NothingWrittenOrPrintedLeavesBothRemindersOnExit)
{
    SetPrinterSource([] { return std::unique_ptr<QPrinter>(); });
    auto form = Dialog();
    form->bbPrint->click();                       // no default printer
    form->bbSave->click();                        // the dialog cancelled
    Chosen = Dir.filePath(QStringLiteral("no-such-folder/sheet.txt"));
    form->bbSave->click();                        // a folder that cannot take the file
    form->edCustomerName->setText(QStringLiteral("Changed"));
    Notes.Script({Answer::Yes, Answer::No});
    form->bbExit->click();
    EXPECT_EQ(Notes.Texts(), (std::vector<std::string>{"There is no default printer!", "File can't be saved!",
                                                       "Have not printed. Exit?", "Have not saved. Exit?"}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Ws().CustomerName, "Acme");
}

TEST_F(InfoFormTest, StartAddressRowFollowsTheSerialModeAndTakesFourHexDigits)
{
    auto form = Dialog();
    EXPECT_TRUE(form->edSerialNoStartAddr->isHidden());
    form->SerialEnable->click();
    EXPECT_FALSE(form->edSerialNoStartAddr->isHidden());
    QTest::keyClicks(form->edSerialNoStartAddr, QStringLiteral("1a2f3"));
    EXPECT_EQ(form->edSerialNoStartAddr->text(), "1A2F");

    // Pasted and dropped text keeps what the keys let in.
    QLineEdit* field = form->edSerialNoStartAddr;
    const struct {
        bool Drop;
        const char* Text;
        const char* Kept;
    } rows[] = {{false, "q!", ""}, {false, "b-3c9d0", "B3C9"}, {true, "x1y2", "12"}};
    for (const auto& r : rows) {
        field->clear();
        QMimeData text;
        text.setText(QString::fromLatin1(r.Text));
        QGuiApplication::clipboard()->setText(text.text());
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        if (r.Drop) QApplication::sendEvent(field, &enter), QApplication::sendEvent(field, &drop);
        else QTest::keySequence(field, QKeySequence::Paste);
        EXPECT_EQ(field->text().toStdString(), r.Kept) << r.Text;
    }
}

TEST_F(InfoFormTest, SaveWritesTheMainWindowsSheetAndExitThenRemindsOnlyOfPrinting)
{
    // An item past the missing item 6 shows, as on a device that has it.
    Ws().Status.OptionItems[6].Caption = "Software WDT:";
    Ws().Status.OptionItems[6].CaptionVisible = true;
    Main.ShowStatus();
    auto form = Dialog();
    Chosen = Dir.filePath(QStringLiteral("sheet.txt"));
    form->bbSave->click();
    EXPECT_TRUE(form->Saved);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].FileName, "pump");
    auto line = [](const QString& label, const QString& value) {
        return QString::fromLatin1(AddSpace(label.toStdString(), 24)) + QLatin1Char(' ') + value + "\r\n";
    };
    QString expected = line("Date:", QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)) +
                       line("Device name:", Ctl<QComboBox>(Main, "ComboBox2")->currentText()) +
                       line("File name:", "C17-pump.main.hex") + line("Customer's name:", "Acme") +
                       line("Customer's project name:", "Pump");
    // Items 1 to 5, 7 to 13 (the main window keeps security where item 6 would be), then security.
    for (int i : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 5})
        if (!OptionCaption(Main, i)->isHidden()) expected += line(OptionCaption(Main, i)->text(), OptionValue(Main, i)->text());
    expected += line("Option value:", Ctl<QLabel>(Main, "stOptionValue")->text()) + line("Serial no mode:", "Disable") +
                line("Memory checksum:", Ctl<QLabel>(Main, "Label11")->text() + "H") + line("Operating frequency:", " Hz") +
                line("Operating voltage:", " ~  V") + line("Operating current:", " mA") +
                line("Sleep current:", " uA") + line("Part no :", Ctl<QComboBox>(Main, "ComboBox2")->currentText() + "-C17");
    EXPECT_EQ(QString::fromLatin1(Read(Chosen)), expected);

    Notes.Script({Answer::Yes});
    form->bbExit->click();
    EXPECT_EQ(Notes.Texts(), std::vector<std::string>{"Have not printed. Exit?"});
}
