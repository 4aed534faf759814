#include <gtest/gtest.h>

#include "LinkedWriter.h"

TEST(Smoke, IdentifiesSimulatedWriter)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(w.Ws.WriterId, " HRX307A V3.30");
    EXPECT_EQ(w.Ws.WriterVersion, "V3.30");
}
