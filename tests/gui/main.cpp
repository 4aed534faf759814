// The GUI tests need a QApplication before any widget exists; they run on
// the offscreen platform unless the caller chose another one. A simulated
// writer answers as COM1 from a private ports folder, so the main window's
// writer check at show finds a writer, as it would on the bench.
#include <QApplication>
#include <gtest/gtest.h>

#include "LinkedWriter.h"
#include "WriterBox.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    WriterBox writer;
    const std::string ports = LinkedWriter::PortsFolder();
    if (!writer.Start() || !writer.LinkAs(ports + "/COM1")) return 2;
    const int result = RUN_ALL_TESTS();
    writer.Stop();
    return result;
}
