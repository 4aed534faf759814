#include "app/Workspace.h"

#include <gtest/gtest.h>

TEST(Workspace, BuffersKeepTheirFixedSizes)
{
    Workspace ws;
    EXPECT_EQ(ws.ProgramMemory.size(), 32768u);
    EXPECT_EQ(ws.EepromBuffer.size(), 598u);
    EXPECT_EQ(ws.TransferBuffer.size(), 32768u);
    EXPECT_EQ(ws.CommandBuffer.size(), 32u);
    EXPECT_EQ(ws.IdWords.size(), 32u);
    EXPECT_EQ(ws.OptionWords.size(), 8u);
    EXPECT_EQ(ws.BodyOption.size(), 16u);
}
