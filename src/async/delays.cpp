#include "delays.h"

namespace corvane {

namespace {
double g_scale = 1.0;
}

Delays delays()
{
    Delays table;
    if (g_scale == 1.0)
        return table;
    const auto scaled = [](Millis value) {
        return Millis(static_cast<long long>(static_cast<double>(value.count()) * g_scale));
    };
#define CORVANE_SCALE_DELAY(name, ms) table.name = scaled(table.name);
    CORVANE_DELAYS(CORVANE_SCALE_DELAY)
#undef CORVANE_SCALE_DELAY
    return table;
}

void setDelayScale(double scale)
{
    g_scale = scale;
}

} // namespace corvane
