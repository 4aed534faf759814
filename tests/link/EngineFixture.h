// The programming engine against the simulated writer over a pty, with a
// workspace prepared for a catalogue device: program memory, EEPROM, OPTION
// and ID filled with a pattern that every step can carry and compare.
#pragma once

#include <gtest/gtest.h>

#include "LinkTestSupport.h"
#include "RecordingReporter.h"
#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "link/ChipData.h"
#include "link/Operations.h"
#include "link/ProgrammingEngine.h"

#include <algorithm>
#include <string>

// Option value with a choice for every item of the catalogue's option set:
// OSC "HF", PUT "0mS", WDT "Disable", PED "Disable", Security "Disable".
constexpr uint32_t kGoodOptionValue = 0x2AA6;
// The same with Security "Enable" (bit 13 clear).
constexpr uint32_t kProtectedOptionValue = 0x0AA6;
constexpr uint32_t kSerialWord = 0x10;

struct WorkspaceImage {
    std::array<uint8_t, kProgramMemorySize> ProgramMemory;
    std::array<uint8_t, kEepromBufferSize> EepromBuffer;
    std::array<uint8_t, kOptionWordsSize> OptionWords;
    std::array<uint8_t, kIdWordsSize> IdWords;
    bool operator==(const WorkspaceImage&) const = default;
};

class EngineTest : public ::testing::Test {
protected:
    explicit EngineTest(WriterSettings settings = {}) : w("COM1", 30, std::move(settings)) {}

    void SetUp() override
    {
        ASSERT_TRUE(w.Ready);
        engine.SetTimeoutHundredths(30);
        PrepareDevice("72Q575");
    }

    // A workspace for the device with a program, EEPROM data, options and ID.
    void PrepareDevice(const std::string& device)
    {
        Workspace& ws = w.Ws;
        deviceText = device;
        ws.StartupDone = false;
        ResetData(ws, device);
        for (uint32_t k = 0; 2 * k < ws.RomBytes; ++k) {
            const uint32_t value = (k * 0x1D3 + 0x155) & 0x3FFF;
            ws.ProgramMemory[2 * k] = value & 0x7F, ws.ProgramMemory[2 * k + 1] = uint8_t(value >> 7);
        }
        for (uint32_t k = 0; k < ws.EepromSize; ++k) ws.EepromBuffer[k] = static_cast<uint8_t>(k * 7 + 3);
        SetOptionValue(kGoodOptionValue);
        const char id[] = "KRV-ID";
        for (int k = 0; k < 6; ++k) ws.IdWords[2 * k] = static_cast<uint8_t>(id[k]), ws.IdWords[2 * k + 1] = 0x00;
    }

    // Serial mode on: two RTWI words at 0010h carry the number 1234h, most significant first.
    void PrepareSerialRun()
    {
        Workspace& ws = w.Ws;
        ws.ProgramMemory[2 * kSerialWord + 1] = ws.ProgramMemory[2 * kSerialWord + 3] = 0x62;
        ws.SerialModeOn = true, ws.Status.SerialModeText = "Enable";
        ws.SerialTarget = 0, ws.SerialStartAddress = kSerialWord, ws.SerialByteCount = 2, ws.SerialIncrement = 1;
        ws.SerialValue = {0x34, 0x12}, ws.SerialEndValue = {0xFF, 0xFF};
        CalChecksum(ws);
    }

    void SetOptionValue(uint32_t value)
    {
        w.Ws.OptionWords[0] = value & 0x7F;
        w.Ws.OptionWords[1] = (value >> 7) & 0x7F;
        UpdateOption(w.Ws);
    }

    EngineControls Controls() const
    {
        EngineControls c;
        c.DeviceText = deviceText;
        return c;
    }

    // Runs an operation to its end on the engine's thread.
    RunEnd Run(int32_t code)
    {
        reporter.Restart();
        w.Ws.CommandCode = code;
        engine.Start(Controls());
        engine.Join();
        return engine.LastEnd();
    }

    WorkspaceImage Image() const
    {
        return {w.Ws.ProgramMemory, w.Ws.EepromBuffer, w.Ws.OptionWords, w.Ws.IdWords};
    }

    // The chip holds what the workspace would program, the ID words followed by the checksum text.
    void ExpectChipEqualsWorkspace()
    {
        const Workspace& ws = w.Ws;
        const SimulatedChip chip = w.Box.Chip();
        EXPECT_TRUE(std::equal(ws.ProgramMemory.begin(), ws.ProgramMemory.begin() + ws.RomBytes, chip.ProgramMemory.begin()));
        EXPECT_TRUE(std::equal(ws.EepromBuffer.begin(), ws.EepromBuffer.begin() + ws.EepromSize, chip.Eeprom.begin()));
        EXPECT_TRUE(std::equal(ws.OptionWords.begin(), ws.OptionWords.begin() + 2, chip.OptionWords.begin()));
        EXPECT_TRUE(std::equal(ws.IdWords.begin(), ws.IdWords.begin() + 12, chip.IdChecksum.begin()));
        EXPECT_EQ(std::string(chip.IdChecksum.begin() + 12, chip.IdChecksum.begin() + 16), ws.Status.ProgramChecksum);
    }

    // A chip already programmed with the workspace.
    void ProgramChipFromWorkspace()
    {
        ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed) << reporter.Caption(ProgressLabel::Data);
    }

    LinkedWriter w;
    RecordingReporter reporter;
    ProgrammingEngine engine{w.Ws, reporter, w.Notifier};
    std::string deviceText;
};
