// An exchange file made of any bytes splits into a player's two files or raises the program's
// error; what splits is written back as an exchange file that splits the same way.
#include "lists/PlayerExchange.h"
#include "store/AppError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    PlayerExchange::PlayerBytes files;
    try {
        files = PlayerExchange::splitExchange(input);
    } catch (const AppError &) {
        return 0;
    }
    const PlayerExchange::PlayerBytes again =
        PlayerExchange::splitExchange(PlayerExchange::exchangeBytes(files.records, files.player));
    if (again.records != files.records || again.player != files.player)
        std::abort();
    return 0;
}
