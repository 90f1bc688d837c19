// Files Corvane reads back: the listening history (its own and other computers'), the home
// snapshot.
#include "storage/cachedhome.h"
#include "storage/listeninghistory.h"

#include <cstddef>
#include <cstdint>

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto entries = ListeningHistory::decode(bytes)) {
        for (const HistoryEntry &entry : *entries) {
            entry.id();
            entry.playedAtTime();
        }
        ListeningHistory::encode(*entries);
    }
    if (const auto home = CachedHome::decode(bytes))
        home->encode();
    return 0;
}
