#include "LinkedWriter.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "platform/SerialPort.h"

namespace {

std::string& TestConfigHome()
{
    static std::string base;
    return base;
}

void RemoveTestConfigHome()
{
    std::error_code ec;
    if (!TestConfigHome().empty()) std::filesystem::remove_all(TestConfigHome(), ec);
}

}  // namespace

std::string LinkedWriter::PortsFolder()
{
    static const std::string folder = [] {
        std::string& base = TestConfigHome();
        base = std::filesystem::temp_directory_path().string() + "/krv-link-test-" + std::to_string(getpid());
        std::atexit(RemoveTestConfigHome);
        setenv("XDG_CONFIG_HOME", base.c_str(), 1);
        std::string ports = ::PortsFolder();
        std::filesystem::create_directories(ports);
        return ports;
    }();
    return folder;
}

LinkedWriter::LinkedWriter(const std::string& portName, int timeoutHundredths, WriterSettings settings)
    : Box(std::move(settings)), PortName(portName)
{
    Context.Cancel = &Cancel;
    Context.TimeoutHundredths = timeoutHundredths;
    std::string folder = PortsFolder();
    if (!Box.Start() || !Box.LinkAs(folder + "/" + portName)) return;
    CheckComPort(Ws, Notifier, portName);
    Ready = !Ws.LinkFailed;
}

LinkedWriter::~LinkedWriter()
{
    if (Ws.ComHandle) Ws.ComHandle->Close();
    Ws.ComHandle.reset();
    Box.Stop();
}
