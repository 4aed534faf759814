#include "app/Workspace.h"

#include <cstdio>

Workspace::Workspace() = default;

Workspace::~Workspace()
{
    for (std::FILE* f : {QtpInputHandle, QtpOutputHandle, CfgFileHandle, DataFileHandle}) {
        if (f) std::fclose(f);
    }
}
