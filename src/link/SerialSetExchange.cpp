#include "link/SerialSetExchange.h"

#include "workspace/Workspace.h"
#include "link/WriterLink.h"
#include "platform/Notifier.h"
#include "serialno/SerialMessages.h"

SerialSetStepMessage ProgramSN(Workspace& ws, const LinkContext& context)
{
    const std::optional<SerialSetFrame> frame = BuildSerialSetFrame(ws);
    if (!frame) return {std::string(SerialMessages::SetupSerialFirst), true};

    // One byte per write, a pause of 10 ms before the second; the receive
    // queue is not purged first. A byte the line does not take ends the
    // frame there: each further byte would wait out the limit again.
    for (std::size_t i = 0; i < frame->size(); ++i) {
        if (!SendByte(ws, (*frame)[i], context)) return {std::string(SerialMessages::ConnectTimeout), true};
        if (i == 0) DelayIn10ms(1, context);
    }
    uint8_t reply = 0;
    if (WaitForByte(ws, reply, context) != WaitResult::Byte)
        return {std::string(SerialMessages::ConnectTimeout), true};
    if (reply == kSerialSetAccepted) return {std::string(SerialMessages::ProgramSerialPass), false};
    return {std::string(SerialMessages::ProgramSerialError), true};
}

std::optional<SerialSetReply> ReadSerialSetReply(Workspace& ws, Notifier& notifier, const std::string& portText,
                                                 const LinkContext& context)
{
    CheckComPort(ws, notifier, portText);
    if (ws.LinkFailed) return std::nullopt;

    SendByte(ws, kSerialSetCommand, context);
    DelayIn10ms(1, context);
    SendByte(ws, kSerialSetReadByte, context);

    SerialSetReply reply{};
    for (uint8_t& byte : reply) {
        if (WaitForByte(ws, byte, context) != WaitResult::Byte) {
            notifier.Message(std::string(SerialMessages::ReadSetTimeout));
            return std::nullopt;
        }
    }
    return reply;
}

bool TakeSerialSetReply(Workspace& ws, Notifier& notifier, const SerialSetReply& reply)
{
    // Only a complete reply with fields in range reaches the texts and
    // marks them as fresh for the settings dialog.
    if (!StoreSerialSetReply(ws, reply)) {
        notifier.Message(std::string(SerialMessages::ReadSetDataError));
        return false;
    }
    return true;
}
