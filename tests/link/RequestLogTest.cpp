// The requests an auto program, a read and a serial-number run put on the
// line, byte for byte, against the log kept in tests/data/request-log.txt.
// KRV_RECORD_REQUEST_LOG=1 writes the log anew instead of comparing.
#include "EngineFixture.h"

#include <cstdlib>
#include <sstream>

namespace {

class RequestLog : public EngineTest {};

TEST_F(RequestLog, AutoProgramReadAndSerialRunSendTheRecordedRequests)
{
    std::ostringstream log;
    auto record = [&](const char* run) {
        log << "# " << run << '\n';
        for (const RecordedRequest& r : w.Box.Requests()) {
            log << r.Name;
            for (uint8_t b : r.Bytes) log << ' ' << ByteToHex(b);
            log << '\n';
        }
        w.Box.ClearRequests();
    };
    PrepareDevice("31Q520");
    w.Box.ClearRequests();
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed);
    record("auto program");
    ASSERT_EQ(Run(opReadIc), RunEnd::Completed);
    record("read");
    PrepareSerialRun();
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed);
    record("auto program placing a serial number");
    w.Ws.SerialSetupTexts = {"0123", "2", "0010", "00FF", "1", "0", "0", "0"};
    ASSERT_EQ(Run(opSerialNoProgram), RunEnd::Completed);
    record("serial-number set");

    const std::string path = std::string(std::getenv("KRV_TEST_DATA")) + "/request-log.txt";
    if (std::getenv("KRV_RECORD_REQUEST_LOG")) WriteBytes(path, log.str());
    EXPECT_TRUE(log.str() == ReadBytes(path)) << "the requests differ from " << path;
}

}  // namespace
