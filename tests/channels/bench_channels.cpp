// Channel page: UpdData() of a full 22-row table plus GetData(), offscreen.
#include "channels/channelinfo_form.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RadioData_S image;
    std::memset(image.bytes(), 0xFF, kImageSize);
    QVector<ChannelFields_S> rows(kMaxChannels);
    for (int i = 0; i < kMaxChannels; ++i) {
        rows[i].RxFreq = 400000000u + 2500000u * i;
        rows[i].TxFreq = rows[i].RxFreq + 5000000u;
        rows[i].TxTone = 12 * i % kToneListSize;
        rows[i].RxTone = (kToneListSize - 1 - 11 * i) % kToneListSize;   // late list items too
        rows[i].Scan = i & 1;
        rows[i].Power = (i >> 1) & 1;
    }
    ChannelStoreTable(&image, rows);

    CHANNELINFO_Form page(nullptr, 400, 470, &image);
    page.SetChanAtt(kMaxChannels, 1);
    page.show();
    app.processEvents();

    const int runs = 101;
    std::vector<double> upd, get, both;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        page.UpdData();
        const qint64 a = t.nsecsElapsed();
        std::memset(image.bytes(), 0xFF, kImageSize);
        page.GetData();
        const qint64 b = t.nsecsElapsed();
        upd.push_back(a / 1e6);
        get.push_back((b - a) / 1e6);
        both.push_back(b / 1e6);
        app.processEvents();
    }
    std::printf("channel page, %d rows, %d runs: UpdData median %.3f ms, GetData median %.3f ms, "
                "UpdData+GetData median %.3f ms (max %.3f ms)\n",
                kMaxChannels, runs, Median(upd), Median(get), Median(both),
                *std::max_element(both.begin(), both.end()));
    return 0;
}
