// The GUI tests need a QApplication before any widget exists; they run on
// the offscreen platform unless the caller chose another one. A simulated
// writer answers as COM1 from a private ports folder, so the main window's
// writer check at show finds a writer, as it would on the bench. That folder
// is also where the main window reads and writes "Default.cfg": every test
// starts without one. They run in a directory of their own, so that files a
// test leaves in the current directory go with it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "LinkedWriter.h"
#include "WriterBox.h"
#include "files/FileNames.h"
#include "platform/ConfigFolder.h"

namespace {

// Every test starts without "Default.cfg" and with COM1 leading to the shared
// writer again: a test that linked COM1 to a writer of its own leaves the
// link behind when that writer goes.
class FreshStart : public ::testing::EmptyTestEventListener {
public:
    FreshStart(WriterBox& writer, std::string com1) : Writer(writer), Com1(std::move(com1)) {}

private:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QFile::remove(QString::fromStdString(DefaultConfigPath(UserConfigFolder())));
        Writer.LinkAs(Com1);
    }

    WriterBox& Writer;
    std::string Com1;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    WriterBox writer;
    const std::string ports = LinkedWriter::PortsFolder();
    if (!writer.Start() || !writer.LinkAs(ports + "/COM1")) return 2;
    QTemporaryDir startDirectory;
    if (startDirectory.isValid()) QDir::setCurrent(startDirectory.path());
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart(writer, ports + "/COM1"));
    const int result = RUN_ALL_TESTS();
    QDir::setCurrent(QDir::tempPath());
    writer.Stop();
    return result;
}
