#include "link/EngineExchanges.h"

namespace {

// LinkResult values the steps wait for.
constexpr int kDone = 10;
constexpr int kReady = 11;
constexpr int kWriteOk = 12;

constexpr ExchangeRow kExchanges[] = {
    {Exchange::EraseHeader, kDone, "Connect timeout!!", "Writer error!!", true},
    {Exchange::BlankIdRead, kDone, "Connect Timeout!!", "Writer error!!", true},
    {Exchange::BlankOptionRead, kDone, "Connect timeout!!", "Writer error!!", true},
    {Exchange::BlankDataRead, kDone, "Connect timeout!!", "Writer error!!", true},
    {Exchange::IdHeader, kReady, "Connect timeout!!", "Writer error!!", true},
    {Exchange::IdData, kWriteOk, "Connect timeout!!", "Writer error!!", true},
    {Exchange::IdRead, kDone, "Connect Timeout!!", "Writer error!!", true},
    {Exchange::DataHeader, kReady, "Connect timeout!!", "Writer error!!", true},
    {Exchange::DataRead, kDone, "Connect timeout!!", "Writer Error!!", false},
    {Exchange::EepromHeader, kReady, "Connect timeout!!", "Writer Error!!", false},
    {Exchange::EepromRead, kDone, "Connect timeout!!", "Writer Error!!", false},
    {Exchange::OptionHeader, kReady, "Connect Timeout!!", "Writer Error!!", true},
    {Exchange::OptionData, kWriteOk, "Connect Timeout!!", "Writer Error!!", true},
    {Exchange::OptionRead, kDone, "Connect Timeout!!", "Writer Error!!", true},
};

}  // namespace

const ExchangeRow& FindExchange(Exchange which)
{
    for (const ExchangeRow& row : kExchanges) {
        if (row.Which == which) return row;
    }
    return kExchanges[0];
}
