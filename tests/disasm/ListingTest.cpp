#include "RecordingNotifier.h"
#include "TestSupport.h"
#include "workspace/BufferCommands.h"
#include "workspace/Workspace.h"
#include "disasm/Disassembler.h"
#include "files/FileCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kHeader =
    ";Registers\r\n"
    "IAR     EQU     00H\r\n" "RTCC    EQU     01H\r\n" "PCL     EQU     02H\r\n"
    "STATUS  EQU     03H\r\n" "MSR     EQU     04H\r\n" "PORTA   EQU     05H\r\n"
    "PORTB   EQU     06H\r\n" "PORTC   EQU     07H\r\n" ";\r\n"
    "W       EQU     0H\r\n" "R       EQU     1H\r\n" ";Flags\r\n"
    "CF      EQU     0H\r\n" "HC      EQU     1H\r\n" "ZF      EQU     2H\r\n"
    "PF      EQU     3H\r\n" "TF      EQU     4H\r\n" ";\r\n"
    "        ORG     0000H           ;Addr    Org-Code\r\n";
const std::string kEnd = "        END\r\n";

// A workspace as the main window makes it: the first catalogue device
// (family 2, 1024 words of 7-bit halves), program memory blank.
struct Listing : ::testing::Test {
    Workspace Ws;
    RecordingNotifier Notes;
    Listing() { SetCreationDefaults(Ws); }
    void Put(uint32_t index, uint32_t word)
    {
        Ws.ProgramMemory[2 * index] = uint8_t(word & 0x7F);
        Ws.ProgramMemory[2 * index + 1] = uint8_t(word >> 7);
    }
};

}  // namespace

TEST_F(Listing, EachRunOfSkippedWordsEndsInAnOrgLineAndConsecutiveWordsGetNone)
{
    EXPECT_EQ(BuildListing(Ws), kHeader + kEnd) << "blank memory";
    Put(0x10, 0x2000);   // NOP after sixteen blank words
    Put(0x11, 0x200B);   // SLEEP
    Put(0x13, 0x2001);   // not an instruction: a run of its own
    Put(0x14, 0x200D);   // RET
    Put(0x3FF, 0x200E);  // the last word is no exception
    EXPECT_EQ(BuildListing(Ws), kHeader +
                                    ";----------------------------\r\n"
                                    "        ORG     0010H\r\n"
                                    "        NOP                     ;0010    2000\r\n"
                                    "        SLEEP                   ;0011    200B\r\n"
                                    ";----------------------------\r\n"
                                    "        ORG     0014H\r\n"
                                    "        RET                     ;0014    200D\r\n"
                                    ";----------------------------\r\n"
                                    "        ORG     03FFH\r\n"
                                    "        RETI                    ;03FF    200E\r\n" +
                                    kEnd);
    Ws.RomBytes = 0;
    EXPECT_EQ(BuildListing(Ws), kHeader + kEnd);
}

TEST_F(Listing, LargestMemoryListsEveryWordAndNoMoreThanMemoryHolds)
{
    // 16384 instructions, more than any catalogue device has; a size beyond
    // program memory is cut to it.
    for (uint32_t i = 0; i < kMaxListingWords; ++i) Put(i, 0x2000 + (i & 1) * 0x0B);
    for (uint32_t romBytes : {32768u, 0xFFFFFFFEu}) {
        Ws.RomBytes = romBytes;
        const std::vector<ListingEntry> entries = DisassembleProgram(Ws);
        ASSERT_EQ(entries.size(), kMaxListingWords);
        const std::string text = ListingText(entries);
        EXPECT_EQ(std::size_t(std::count(text.begin(), text.end(), '\n')), 20u + kMaxListingWords + 1u);
        EXPECT_TRUE(text.ends_with("        SLEEP                   ;3FFF    200B\r\n" + kEnd));
    }
}

TEST(ListingName, ProposedNameCutsTheFileNameAtItsFirstDotOnly)
{
    const struct {
        const char* Path;
        const char* Proposed;
    } cases[] = {
        {"", ""},
        {"/work/demo.hex", "/work/demo"},
        {"/work/demo.v2.hex", "/work/demo"},
        {"/work.d/demo.hex", "/work.d/demo"},
        {"/work.d/demo", ""},
        {"demo.chx", "demo"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProposedListingName(c.Path), c.Proposed) << c.Path;
}

TEST_F(Listing, ProgramFromAPicAssemblersHexFileIsListedAndSavedByteForByte)
{
    TempDir folder;
    // INHX8M as a PIC assembler writes it: 16 data bytes a record, words low
    // byte first at twice their address, the configuration word at 400EH.
    const std::string hexPath = folder.Path + "/demo.hex";
    WriteBytes(hexPath,
          ":100000000528000000000000090055308600831616\r\n"
          ":0C001000A001A00A031D092810206300B5\r\n"
          ":020020000734A3\r\n"
          ":02400E00F13F80\r\n"
          ":00000001FF\r\n");
    const FileCommandResult loaded = LoadDataFile(Ws, hexPath, {0, Ws.DeviceName}, Notes);
    ASSERT_TRUE(loaded.Loaded) << Notes.LastText();
    EXPECT_EQ(ProposedListingName(Ws.ProgramFileName), folder.Path + "/demo");

    const std::string disPath = folder.Path + "/demo.dis";
    ASSERT_TRUE(SaveListing(BuildListing(Ws), disPath, 1, Notes));
    EXPECT_EQ(ReadBytes(disPath), kHeader +
                                  "        GOTO    0005H           ;0000    1805\r\n"
                                  "        NOP                     ;0001    2000\r\n"
                                  "        NOP                     ;0002    2000\r\n"
                                  "        NOP                     ;0003    2000\r\n"
                                  "        RETI                    ;0004    200E\r\n"
                                  "        MOVKW   055H            ;0005    3655\r\n"
                                  "        MOVWM   PORTB           ;0006    2106\r\n"
                                  "        BSM     STATUS,5        ;0007    0283\r\n"
                                  "        CLRM    020H            ;0008    20A0\r\n"
                                  "        INCM    020H,R          ;0009    22A0\r\n"
                                  "        BTSS    STATUS,ZF       ;000A    0503\r\n"
                                  "        GOTO    0009H           ;000B    1809\r\n"
                                  "        CALL    0010H           ;000C    1010\r\n"
                                  "        SLEEP                   ;000D    200B\r\n"
                                  ";----------------------------\r\n"
                                  "        ORG     0010H\r\n"
                                  "        RETKW   007H            ;0010    3707\r\n" +
                                  kEnd);
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
}

TEST_F(Listing, SaveThatCannotBeWrittenIsReportedAndKeepsTheOldFile)
{
    TempDir folder;
    const std::string path = folder.Path + "/old.dis";
    WriteBytes(path, "old listing\r\n");
    ASSERT_EQ(::chmod(folder.Path.c_str(), 0555), 0);
    const bool asRoot = ::geteuid() == 0;   // the superuser writes anywhere: save as an ordinary user
    ASSERT_EQ(asRoot ? ::seteuid(65534) : 0, 0);
    const bool saved = SaveListing(BuildListing(Ws), path, 1, Notes);
    ASSERT_EQ(asRoot ? ::seteuid(0) : 0, 0);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Notes.Texts(), std::vector<std::string>{"File can't be saved!"});
    EXPECT_EQ(ReadBytes(path), "old listing\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.dis"}) << "no temporary file left";

    // An empty name and another filter than the first save nothing either.
    Notes.Clear();
    EXPECT_FALSE(SaveListing("x", "", 1, Notes));
    EXPECT_FALSE(SaveListing("x", folder.Path + "/other.dis", 2, Notes));
    EXPECT_EQ(Notes.Texts(), (std::vector<std::string>{"File can't be saved!", "File can't be saved!"}));
    ::chmod(folder.Path.c_str(), 0700);   // so the folder can be removed
}
