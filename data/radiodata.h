#pragma once

#include <cstddef>
#include <cstdint>

// Radio data image, 452 bytes: a 4-byte header followed by the radio's
// memory window 0x0080..0x023F.
//   0..1    model word, little-endian (05 6B for 0x6B05)
//   2       version major
//   3       version minor
//   4..451  memory window; image offset = radio address - 0x7C
// Multi-byte numbers inside the window are big-endian.

constexpr uint16_t kModelWord = 0x6B05;
constexpr int kImageSize = 452;
constexpr int kHeaderSize = 4;
constexpr uint16_t kWindowBase = 0x0080;   // radio address of image offset 4
constexpr uint16_t kWindowEnd = 0x023F;    // last radio address of the window
constexpr int kAddrToOffset = 0x7C;        // image offset = radio address - 0x7C
constexpr int kBlockSize = 16;
constexpr int kBlockCount = 28;
constexpr int kMaxChannels = 22;

#pragma pack(push, 1)

// Header as the data of the connect confirm.
struct ConnectCnfData_S {
    uint8_t ModelLo;
    uint8_t ModelHi;
    uint8_t VerMajor;
    uint8_t VerMinor;
};

struct RadioData_S {
    ConnectCnfData_S Header;
    uint8_t Window[kImageSize - kHeaderSize];

    uint8_t *bytes() { return reinterpret_cast<uint8_t *>(this); }
    const uint8_t *bytes() const { return reinterpret_cast<const uint8_t *>(this); }
    uint8_t &at(int offset) { return bytes()[offset]; }
    uint8_t at(int offset) const { return bytes()[offset]; }
};

#pragma pack(pop)

static_assert(sizeof(ConnectCnfData_S) == 4, "connect confirm data is 4 bytes");
static_assert(sizeof(RadioData_S) == kImageSize, "radio data image is 452 bytes");
static_assert(offsetof(RadioData_S, Window) == kHeaderSize, "window follows the header");
static_assert(kHeaderSize + kBlockCount * kBlockSize == kImageSize, "28 blocks fill the window");
static_assert(kWindowBase + kBlockCount * kBlockSize - 1 == kWindowEnd, "window ends at 0x023F");

// Image offsets of the regions, by radio address - 0x7C.
namespace ImageOffset {
constexpr int ChannelWord = 0x004;    // 16-bit word cleared when channels are stored
constexpr int FmStartChan = 0x006;
constexpr int Tail = 0x007;
constexpr int SqlLev = 0x008;
constexpr int ScanWay = 0x009;
constexpr int ChanCount = 0x00A;      // 16-bit big-endian
constexpr int KeyTone = 0x00C;
constexpr int VoiType = 0x00D;
constexpr int FallAlarm = 0x00E;
constexpr int VoxLev = 0x00F;
constexpr int TotLev = 0x010;
constexpr int PowSav = 0x011;
constexpr int Zero12 = 0x012;
constexpr int Zero13 = 0x013;
constexpr int PttId = 0x014;          // 8 digits
constexpr int DtmEncCon = 0x01C;
constexpr int DtmEncTone = 0x01D;
constexpr int FmMask = 0x01E;         // 16-bit big-endian
constexpr int DtmfMacId = 0x024;      // 4 digits
constexpr int ChanScanMask = 0x028;   // 32-bit big-endian
constexpr int StunCode = 0x034;       // 8 digits
constexpr int KillCode = 0x03C;       // 8 digits
constexpr int FmFreqs = 0x044;        // 16 x 16-bit big-endian, 100 kHz units
constexpr int Channels = 0x064;       // 22 x 16-byte records
} // namespace ImageOffset

static_assert(ImageOffset::Channels + kMaxChannels * 16 == kImageSize, "last record ends the window");

inline int RadioAddrToOffset(int addr) { return addr - kAddrToOffset; }
inline int OffsetToRadioAddr(int offset) { return offset + kAddrToOffset; }

// Image offset of the first window byte (offsets 4..451) in which a and b
// differ; -1 when the windows are equal. The headers are not compared.
inline int FirstWindowDifference(const RadioData_S &a, const RadioData_S &b)
{
    for (int i = kHeaderSize; i < kImageSize; ++i)
        if (a.at(i) != b.at(i))
            return i;
    return -1;
}
