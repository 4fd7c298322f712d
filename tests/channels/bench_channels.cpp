#include "channels/channelinfo_form.h"

#include "imagebytes.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RadioData_S image = ErasedImage();
    QVector<ChannelFields_S> rows(kMaxChannels);
    for (int i = 0; i < kMaxChannels; ++i)   // tones spread over the whole list
        rows[i] = {400000000u + 2500000u * i, 400000000u + 2500000u * i, 0, 0, 0, 12 * i, kToneListSize - 1 - 11 * i};
    ChannelStoreTable(&image, rows);
    CHANNELINFO_Form page(nullptr, 400, 470, &image);
    page.SetChanAtt(kMaxChannels, 1);
    page.show();
    QVector<double> ms;
    for (QElapsedTimer t; ms.size() < 101; app.processEvents()) {
        t.start();
        page.UpdData();
        page.GetData();
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("channel page, 22 rows, 101 runs: UpdData+GetData median %.3f ms, max %.3f ms\n", ms[50], ms.back());
}
