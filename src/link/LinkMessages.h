// The texts the writer link shows to the user, in one place.
#pragma once

#include <string>

namespace LinkMessages {

inline constexpr const char* kPortNotOpen = "RS232 port is not open";
inline constexpr const char* kOldWriter = "This writer can not use with this version software";
inline constexpr const char* kUpdateFirmware = "Please update the firmware";
inline constexpr const char* kConnectOk = "Connect OK!";
inline constexpr const char* kConnectFail = "Connect Fail!";

inline std::string PortError(const std::string& port) { return "Open  " + port + " Port Error!!"; }
inline std::string ConnectTimeout(const std::string& port) { return "Connect " + port + " Timeout!!"; }

}  // namespace LinkMessages
