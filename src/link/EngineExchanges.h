// What each exchange of a chip step waits for and the words it uses when
// the writer answers otherwise.
#pragma once

enum class Exchange {
    EraseHeader,
    BlankIdRead,
    BlankOptionRead,
    BlankDataRead,
    IdHeader,
    IdData,
    IdRead,
    DataHeader,
    DataRead,
    EepromHeader,
    EepromRead,
    OptionHeader,
    OptionData,
    OptionRead,
};

struct ExchangeRow {
    Exchange Which;
    int Expects;                // the LinkResult that lets the step go on
    const char* TimeoutText;
    const char* OtherText;      // any other unexpected result
    bool HandlesBodyOption;     // "IC Bodyoption Error!!" on the erase label
};

const ExchangeRow& FindExchange(Exchange which);
