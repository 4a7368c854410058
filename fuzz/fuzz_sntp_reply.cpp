// The SNTP reply checks and timestamp reading on arbitrary packets.

#include "timesync/sntp.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vireo::sntp;
    const QByteArray reply(reinterpret_cast<const char *>(data), qsizetype(size));
    const Timestamp sent = toTimestamp(1767225600123LL);
    const ReplyCheck check = checkReply(reply, sent);
    describe(check);
    if (check == ReplyCheck::Ok) {
        if (reply.size() != 48)
            __builtin_trap(); // only a whole 48-byte reply may pass
        const Exchange e = exchangeFrom(reply, 1767225600123LL, 1767225600200LL);
        formatOffset(e.offsetMs());
        e.roundTripMs();
        e.correctedReceiptMs();
    }
    return 0;
}
