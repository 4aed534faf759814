// The user's settings folder of this program.
#pragma once

#include <string>

// $XDG_CONFIG_HOME/krv-writer, else ~/.config/krv-writer: an installed
// program's own folder cannot be written, and the working directory depends
// on how the program was started.
std::string UserConfigFolder();
