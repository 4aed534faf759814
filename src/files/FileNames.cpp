#include "files/FileNames.h"

#include <cctype>

namespace {

// Position of the dot that starts the extension of the file-name part, or npos.
std::size_t ExtensionDot(const std::string& path)
{
    std::size_t nameStart = path.find_last_of('/');
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return std::string::npos;
    return dot;
}

} // namespace

ProgramFileType ProgramFileTypeOf(const std::string& path)
{
    std::size_t dot = ExtensionDot(path);
    if (dot == std::string::npos) return ProgramFileType::Unknown;
    std::string type = path.substr(dot + 1);
    for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (type == "CFG") return ProgramFileType::Config;
    if (type == "OBJ") return ProgramFileType::Obj;
    if (type == "HEX") return ProgramFileType::Hex;
    if (type == "CBN") return ProgramFileType::Cbn;
    if (type == "CHX") return ProgramFileType::Chx;
    return ProgramFileType::Unknown;
}

std::string ProposedFileName(const std::string& path)
{
    std::size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string DefaultConfigPath(const std::string& folder)
{
    if (folder.empty()) return "Default.cfg";
    if (folder.back() == '/') return folder + "Default.cfg";
    return folder + "/Default.cfg";
}
