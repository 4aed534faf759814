// Names of program and configuration files: their type and the name that
// the file dialogs propose.
#pragma once

#include <string>

enum class ProgramFileType { Config, Obj, Hex, Cbn, Chx, Unknown };

// The type by the text after the last "." of the file-name part, compared
// upper-cased with "CFG", "OBJ", "HEX", "CBN" and "CHX".
ProgramFileType ProgramFileTypeOf(const std::string& path);

// The path without the extension of its file-name part ("/a.b/c.chx" gives
// "/a.b/c"); a name without extension is proposed as it is.
std::string ProposedFileName(const std::string& path);

// The default configuration file in the given folder.
std::string DefaultConfigPath(const std::string& folder);
