// "Save Data Memory" through the real save dialog: a name typed without an
// extension gets the one of the filter chosen, inside the dialog, so that
// its replace question is asked for the file that is really written.
#include "GuiTest.h"
#include "files/FileCommands.h"
#include "files/forms/FileForms.h"

TEST(SaveDataMemoryDialog, TypedNameTakesTheChosenFiltersExtensionAndAReplaceIsAsked)
{
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("old.chx")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const struct {
        int Preselected, Chosen;   // filter index: 1 ".chx", 2 ".cbn"
        const char* Typed;
        const char* Written;
        int Asks;                  // replace questions
    } cases[] = {
        {2, 1, "out", "out.chx", 0},
        {1, 2, "out", "out.cbn", 0},
        {2, 1, "old", "old.chx", 1},
    };
    int asks = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Written);
        file_forms::FileDialogRequest request;
        request.Save = true;
        request.Filter = file_forms::QtFilter(file_dialogs::kSaveFilter);
        request.FilterIndex = c.Preselected;
        const int asksBefore = asks;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            dialog->setDirectory(dir.path());
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_TRUE(types);
            while (types->currentIndex() < c.Chosen - 1) QTest::keyClick(types, Qt::Key_Down);
            while (types->currentIndex() > c.Chosen - 1) QTest::keyClick(types, Qt::Key_Up);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromLatin1(c.Typed));
            QTimer::singleShot(0, [&asks] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ++asks;
                    box->button(QMessageBox::Yes)->click();
                }
            });
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const file_forms::FileDialogChoice choice = file_forms::RunFileDialog(nullptr, request);
        EXPECT_EQ(choice.Path.toStdString(), dir.filePath(QString::fromLatin1(c.Written)).toStdString());
        EXPECT_EQ(choice.FilterIndex, c.Chosen);
        QTest::qWait(0);
        EXPECT_EQ(asks - asksBefore, c.Asks);
    }
}
