// What the simulated writer keeps of a firmware update: whether it runs its
// update loader, the blocks the program has written so far, and the
// switches for the faults an update can meet.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct FirmwareState {
    bool UpdateMode = false;              // answers the status query with 0x5A
    std::array<uint8_t, 64> InfoBlock{};  // the information block (mode 1)
    std::vector<uint8_t> Code;            // code frames (mode 2) at their start offsets
    int BlocksWritten = 0;
    bool Finished = false;                // the finish frame arrived (and, after a 0x05, the 0x55)
    bool AwaitingFinishAnswer = false;    // the finish frame was answered 0x05

    // Faults.
    int BadReadBacks = 0;                 // the next N read-backs carry one wrong byte
    bool FinishAnswers05 = false;         // answer the finish frame 0x05, then 0xB0 to the 0x55
    int SilentFromBlock = -1;             // >= 0: no answer to update frames once that many
                                          // blocks were written (0: not even to the status query)
};
