// The first bytes of a station logo, read for its size before it is downloaded whole, and any
// image received, decoded as covers are.
#include "async/imagedecode.h"
#include "radio/radiodirectory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    corvane::RadioDirectory::imageSize(bytes);
    corvane::decodeImage(bytes);
    return 0;
}
