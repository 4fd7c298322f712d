#include "pagestore.h"

#include "channels/channelcodec.h"
#include "settings/settingscodec.h"

#include <QStringList>

#include <cstring>

RadioData_S NormaliseImage(const RadioData_S &image, int maxRows)
{
    // The window's GetRadioData(): fill, then each page stores what it shows.
    RadioData_S out;
    std::memset(out.bytes(), 0xFF, kImageSize);
    // Radio information page: stores nothing.
    // Channel page.
    ChannelStoreTable(&out, ChannelLoadTable(image, maxRows));
    // Machine settings page with its DTMF part.
    StoreSettingZeroBytes(&out);
    for (int s = 0; s < SettingCount; ++s)
        StoreSetting(&out, SettingId_E(s), SettingPos(image, SettingId_E(s)));
    for (int c = 0; c < DtmfCodeCount; ++c)
        StoreDtmfCode(&out, DtmfCodeId_E(c), DtmfCode(image, DtmfCodeId_E(c)));
    // FM radio page.
    QStringList fm;
    for (int i = 0; i < kFmChannels; ++i)
        fm << FmWordText(FmWord(image, i));
    StoreFmChannels(&out, fm);
    return out;
}
