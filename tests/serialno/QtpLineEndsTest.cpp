#include "RecordingNotifier.h"
#include "SerialTestSupport.h"

#include "app/Workspace.h"
#include "serialno/QtpFile.h"

#include <gtest/gtest.h>

using namespace serialtest;

// A QTP file edited or written on another system has LF line ends: every
// record is read, in order, up to the end record.
TEST(QtpLineEnds, CrLfAndLfFilesGiveEveryNumber)
{
    for (const std::string eol : {"\r\n", "\n"}) {
        SCOPED_TRACE(eol == "\n" ? "LF" : "CR LF");
        TempDir dir;
        WriteText(dir.File("q.txt"), ":040020001231343134" + eol + ":040020001231353133" + eol +
                                         ":040020001231363132" + eol + ":00000001FF" + eol);
        Workspace ws;
        ShapeSmallDevice(ws);
        PutRtwiWords(ws, 0x20, 2);
        RecordingNotifier n;
        ASSERT_EQ(LoadQTPFile1Click(ws, QtpFileChoice{true, true, dir.File("q.txt")}, n), QtpLoadResult::Loaded);
        std::vector<std::string> numbers{Hex(ws.SerialValue, 2)};
        while (true) {
            ReadSerialData(ws, n);
            if (ws.QtpFileEnd) break;
            numbers.push_back(Hex(ws.SerialValue, 2));
        }
        EXPECT_EQ(numbers, (std::vector<std::string>{"1234", "1235", "1236"}));
        EXPECT_EQ(n.Texts(), std::vector<std::string>{});
        CloseQtpInput(ws);
    }
}
