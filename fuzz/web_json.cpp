// Web-service JSON: catalogue pages and every record decoder over them, the chart feed, the
// version manifest.
#include "applemusic/applemusickit.h"
#include "applemusic/catalog.h"
#include "applemusic/publiccatalog.h"
#include "desktop/updatecheck.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PublicCatalog::decode(bytes);
    if (const auto response = RestResponse::decode(bytes)) {
        Catalog::itemsToTracks(response->data);
        Catalog::itemsToAlbums(response->data);
        Catalog::itemsToArtists(response->data);
        Catalog::itemsToPlaylists(response->data);
        Catalog::itemsToHomeShelf(response->data);
        Catalog::itemsToGenres(response->data);
    }
    AppleMusicKit::chartsFrom(bytes);
    UpdateCheck::decode(bytes);
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    Catalog::decodeMusicItem(object);
    Catalog::decodeRecommendation(object);
    return 0;
}
