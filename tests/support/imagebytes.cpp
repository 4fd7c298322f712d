#include "imagebytes.h"

#include "data/pagestore.h"

QByteArray RandomImage(QRandomGenerator &rng, int channels)
{
    QByteArray b(kImageSize, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    const auto fill = [&](int from, int to, int step, auto value) {
        if (rng.bounded(4))
            for (int o = from; o <= to; o += step)
                b[o] = char(value());
    };
    fill(0x07, 0x1D, 1, [&] { return rng.bounded(rng.bounded(2) ? 12 : 18); });   // options, PTT ID
    fill(0x24, 0x43, 1, [&] { return rng.bounded(rng.bounded(6) ? 16 : 256); });  // DTMF digits
    fill(0x44, 0x63, 2, [&] { return 2 + rng.bounded(3); });                      // FM words 512..1279
    fill(0x6C, kImageSize - 1, 16, [&] { return rng.bounded(110); });             // transmit tones
    fill(0x6D, kImageSize - 1, 16, [&] { return rng.bounded(110); });             // receive tones
    if (channels >= 0)
        b.replace(0x0A, 2, Word(channels));
    return b;
}

QByteArray RandomImage(quint32 seed, bool normalised)
{
    QRandomGenerator rng(seed);
    const QByteArray b = RandomImage(rng);
    if (!normalised)
        return b;
    RadioData_S image;
    std::memcpy(image.bytes(), b.constData(), kImageSize);
    return Bytes(NormaliseImage(image, 16));
}
