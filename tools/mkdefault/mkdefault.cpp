// Writes the delivered default data file: a small in-band channel plan,
// a few FM presets and usual settings, laid out as the program stores them.
#include "data/radiodata.h"

#include <cstdio>
#include <cstring>

namespace {

void put16(uint8_t *p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

void put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

struct Channel {
    uint32_t rxHz, txHz;
    uint8_t txKind, txCode, rxKind, rxCode;   // kind 0 none, 1 CTCSS, 2 DCS-N, 3 DCS-I
    bool narrow, low, lockout, pttDial, noScan;
};

const Channel kChannels[] = {
    {400125000, 400125000, 0, 0, 0, 0, false, false, false, false, false},
    {401250000, 401250000, 1, 8, 1, 8, false, false, false, false, false},    // 88.5 Hz
    {403500000, 403500000, 1, 12, 1, 12, true, false, false, false, false},   // 100.0 Hz
    {406125000, 406125000, 2, 0, 2, 0, true, false, true, false, false},      // D023N
    {410000000, 415000000, 1, 18, 0, 0, false, true, false, false, false},    // 123.0 Hz on transmit
    {420500000, 420500000, 3, 10, 3, 10, true, true, false, false, true},     // D054I, not scanned
    {435000000, 435000000, 0, 0, 0, 0, false, false, false, true, false},
    {450125000, 450125000, 1, 24, 1, 24, false, false, true, false, false},   // 151.4 Hz
};

const uint16_t kFmPresets[] = {881, 955, 1017, 1062};   // 100 kHz units

void putCode(uint8_t *field, const char *digits)
{
    for (int i = 0; digits[i]; ++i)
        field[i] = static_cast<uint8_t>(digits[i] <= '9' ? digits[i] - '0' : digits[i] - 'A' + 10);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkdefault OUTPUT.dat\n");
        return 2;
    }
    RadioData_S image;
    uint8_t *b = image.bytes();
    std::memset(b, 0xFF, kImageSize);   // header and unowned bytes as saved

    // Channels.
    const int count = sizeof kChannels / sizeof kChannels[0];
    put16(b + ImageOffset::ChannelWord, 0);
    put16(b + ImageOffset::ChanCount, count);
    uint32_t scanMask = 0;
    for (int i = 0; i < count; ++i) {
        const Channel &c = kChannels[i];
        uint8_t *r = b + ImageOffset::Channels + 16 * i;
        put32(r, c.rxHz);
        put32(r + 4, c.txHz);
        r[8] = c.txCode;
        r[9] = c.rxCode;
        r[10] = static_cast<uint8_t>((c.narrow << 7) | (c.low << 6) | (c.lockout << 4) | (c.pttDial << 3));
        r[11] = static_cast<uint8_t>((c.txKind << 6) | (c.rxKind << 4));
        if (c.noScan)
            scanMask |= 1u << i;
    }
    put32(b + ImageOffset::ChanScanMask, scanMask);

    // Whole-radio settings.
    b[ImageOffset::Tail] = 1;
    b[ImageOffset::SqlLev] = 3;
    b[ImageOffset::ScanWay] = 0;     // carrier
    b[ImageOffset::KeyTone] = 0;
    b[ImageOffset::VoiType] = 0;     // Chinese
    b[ImageOffset::FallAlarm] = 0;
    b[ImageOffset::VoxLev] = 0;
    b[ImageOffset::TotLev] = 2;      // 60 s
    b[ImageOffset::PowSav] = 1;      // 1:1
    b[ImageOffset::Zero12] = 0;
    b[ImageOffset::Zero13] = 0;

    // DTMF.
    putCode(b + ImageOffset::PttId, "101");
    b[ImageOffset::DtmEncCon] = 0;
    b[ImageOffset::DtmEncTone] = 1;
    putCode(b + ImageOffset::DtmfMacId, "1001");
    putCode(b + ImageOffset::StunCode, "AB123");
    putCode(b + ImageOffset::KillCode, "AB789");

    // FM presets.
    const int presets = sizeof kFmPresets / sizeof kFmPresets[0];
    uint16_t fmMask = 0;
    for (int i = 0; i < presets; ++i) {
        put16(b + ImageOffset::FmFreqs + 2 * i, kFmPresets[i]);
        fmMask |= static_cast<uint16_t>(1u << i);
    }
    put16(b + ImageOffset::FmMask, fmMask);
    b[ImageOffset::FmStartChan] = 0;

    FILE *out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(b, 1, kImageSize, out) != kImageSize || std::fclose(out) != 0) {
        std::fprintf(stderr, "mkdefault: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
