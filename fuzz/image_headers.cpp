// The first bytes of a station logo, read for its size before it is downloaded whole.
#include "radio/radiodirectory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    corvane::RadioDirectory::imageSize(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
