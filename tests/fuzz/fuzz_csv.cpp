// A CSV channel plan of any content: imported under limits from the first
// byte, stored, exported and imported again to the same channels.
#include "fuzztargets.h"

#include "channels/csvplan.h"

#include <cstring>

bool FuzzCsv(const uint8_t *data, size_t size)
{
    if (size < 1)
        return true;
    const PlanLimits limits{data[0] % (kMaxChannels + 1), 400000000, 470000000};
    const QByteArray csv(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const PlanImport plan = ImportChannelPlan(csv, limits);
    if (plan.channels.size() > limits.maxRows || plan.lines.size() != plan.channels.size())
        return FuzzFail("csv", "more channels than rows, or lines out of step");
    if (!plan.error.isEmpty() && !plan.channels.isEmpty())
        return FuzzFail("csv", "an unusable file imported channels");
    for (const ChannelFields_S &c : plan.channels)
        if (c.RxFreq < limits.bandStartHz || c.RxFreq >= limits.bandEndHz)
            return FuzzFail("csv", "a channel outside the band was imported");

    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    PutChannelPlan(&image, plan.channels);
    const QByteArray exported = ExportChannelPlan(image, limits);
    const PlanImport again = ImportChannelPlan(exported, limits);
    if (!again.refused.isEmpty() || !again.error.isEmpty() || again.channels != plan.channels)
        return FuzzFail("csv", "export then import does not give the same channels");
    return true;
}
