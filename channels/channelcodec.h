#pragma once

#include "data/radiodata.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

// Channel region of the image:
//   4..5      word cleared whenever the channel table is stored, never read
//   10..11    ChanCount     channels in use, 16-bit big-endian
//   40..43    ChanScanMask  bit i set: record i is NOT scanned, 32-bit big-endian
//   100..451  22 channel records of 16 bytes, record i at 100 + 16 * i
//
// Channel record, 16 bytes, multi-byte fields big-endian:
//   0..3   RxFreq      receive frequency in Hz
//   4..7   TxFreq      transmit frequency in Hz
//   8      TxToneCode  position within the transmit tone kind's list
//   9      RxToneCode  position within the receive tone kind's list
//   10     ChanFlags   b7 bandwidth (1 = 12.5k), b6 power (1 = low),
//                      b4 busy lockout, b3 PTT dialling; other bits written 0
//   11     ToneTypes   b7-6 transmit kind, b5-4 receive kind
//                      (0 none, 1 CTCSS, 2 DCS-N, 3 DCS-I); b3-0 written 0
//   12..15 never read or written

#pragma pack(push, 1)
struct ChannelData_S {
    uint8_t RxFreq[4];
    uint8_t TxFreq[4];
    uint8_t TxToneCode;
    uint8_t RxToneCode;
    uint8_t ChanFlags;
    uint8_t ToneTypes;
    uint8_t Reserved[4];
};
#pragma pack(pop)

static_assert(sizeof(ChannelData_S) == 16, "channel record is 16 bytes");
static_assert(offsetof(ChannelData_S, TxFreq) == 4, "TxFreq at 4");
static_assert(offsetof(ChannelData_S, TxToneCode) == 8, "TxToneCode at 8");
static_assert(offsetof(ChannelData_S, RxToneCode) == 9, "RxToneCode at 9");
static_assert(offsetof(ChannelData_S, ChanFlags) == 10, "ChanFlags at 10");
static_assert(offsetof(ChannelData_S, ToneTypes) == 11, "ToneTypes at 11");
static_assert(offsetof(ChannelData_S, Reserved) == 12, "bytes 12..15 unused");
static_assert(ImageOffset::Channels + kMaxChannels * sizeof(ChannelData_S) == kImageSize,
              "the last record ends the memory window");

constexpr uint8_t kFlagBandwidth = 0x80;
constexpr uint8_t kFlagPower = 0x40;
constexpr uint8_t kFlagBusyLock = 0x10;
constexpr uint8_t kFlagPttDial = 0x08;

// Tone kinds and the tone list: position 0 none, 1..50 CTCSS,
// 51..155 DCS normal ("D023N".."D754N"), 156..260 DCS inverted.
enum ToneKind_E { ToneNone = 0, ToneCtcss = 1, ToneDcsN = 2, ToneDcsI = 3 };
constexpr int kCtcssCount = 50;
constexpr int kDcsCount = 105;
constexpr int kToneCtcssFirst = 1;
constexpr int kToneDcsNFirst = kToneCtcssFirst + kCtcssCount;   // 51
constexpr int kToneDcsIFirst = kToneDcsNFirst + kDcsCount;      // 156
constexpr int kToneListSize = kToneDcsIFirst + kDcsCount;       // 261

// The 261 tone texts; position 0 is noneText (the caller's translation of "无").
QStringList ToneListTexts(const QString &noneText = QStringLiteral("无"));

// List position of a stored kind (0..3) and code. A code beyond its kind's
// list (CTCSS 50 or more, DCS 105 or more) is no tone.
int TonePosition(int kind, int code);
// Kind and code stored for a list position; anything outside 1..260 is no tone.
void ToneKindCode(int position, uint8_t *kind, uint8_t *code);

// Table columns of the channel page.
enum ChannelColumn_E {
    ColNumber, ColRxFreq, ColTxFreq, ColBandwidth, ColPower, ColScan,
    ColTxTone, ColRxTone, ColBusyLock, ColPttDial, ChannelColumnCount
};

// The value list of each column (position 0 first); columns 0..2 share an
// empty list. Texts marked translatable go through the given function
// (identity when none is given); tones, "25k" and "12.5k" never do.
struct ChannelValueLists {
    QStringList empty, bandwidth, power, scan, tone, busyLock, pttDial;
};
using TranslateFn = std::function<QString(const char *)>;
ChannelValueLists MakeChannelValueLists(const TranslateFn &translate = nullptr);
using ChannelColumnLists = std::array<const QStringList *, ChannelColumnCount>;
ChannelColumnLists ChannelColumnListsOf(const ChannelValueLists &lists);

// One record decoded: frequencies in Hz, every other field as the list
// position of its column (flags and scan 0 or 1, tones 0..260).
struct ChannelFields_S {
    uint32_t RxFreq = 0;
    uint32_t TxFreq = 0;
    int Bandwidth = 0;
    int Power = 0;
    int Scan = 0;       // 1 = not scanned
    int TxTone = 0;
    int RxTone = 0;
    int BusyLock = 0;
    int PttDial = 0;
};

bool operator==(const ChannelFields_S &a, const ChannelFields_S &b);

ChannelFields_S ChannelDecode(const ChannelData_S &record, bool scanBit);
// Writes bytes 0..11 of the record (12..15 untouched); returns the scan bit.
bool ChannelEncode(const ChannelFields_S &fields, ChannelData_S *record);

// Frequency cell text: the stored 32 bits as a signed number of Hz, shown
// in MHz with exactly six decimals ("400.125000", "66.000000", "-0.000001").
QString ChannelFreqText(uint32_t hz);
// A cell text stored: points removed, base-10 signed 32-bit; 0 when it does
// not parse. Inverse of ChannelFreqText for every 32-bit value.
uint32_t ChannelFreqFromText(const QString &text);
// Default frequency of a row added at position row: band start + 0.5 MHz * row.
QString ChannelDefaultFreqText(qint64 bandStartHz, int row);

// The ten cell texts of a row (column 0 is "%02d" of row + 1).
QStringList ChannelRowTexts(const ChannelFields_S &fields, int row, const ChannelColumnLists &lists);
// A row's cell texts read back by list position; a text not in its list
// stores position 0 (no tone for the tone columns), a frequency that does
// not parse stores 0. Missing texts count as empty.
ChannelFields_S ChannelFieldsFromTexts(const QStringList &texts, const ChannelColumnLists &lists);

// Region access. Record indexes are 0..21.
uint16_t ChanCountRead(const RadioData_S &image);
void ChanCountWrite(RadioData_S *image, uint16_t count);
uint32_t ChanScanMaskRead(const RadioData_S &image);
void ChanScanMaskWrite(RadioData_S *image, uint32_t mask);
const ChannelData_S &ChannelRecord(const RadioData_S &image, int index);
ChannelData_S &ChannelRecord(RadioData_S *image, int index);

// The channels in use, at most maxRows and never more than the 22 records.
QVector<ChannelFields_S> ChannelLoadTable(const RadioData_S &image, int maxRows);
// Stores rows as records 0..n-1 (n at most 22): clears the word at offset 4,
// writes ChanCount and the scan mask. Record bytes 12..15 and records from
// n on are left alone.
void ChannelStoreTable(RadioData_S *image, const QVector<ChannelFields_S> &rows);

// Band edge given in MHz as Hz, clamped to 0..INT32_MAX.
qint64 BandEdgeHz(qint64 mhz);

// Channel frequency editor: the typed MHz value in Hz plus 1, clamped to
// [bandStart, bandEnd) and snapped down to the higher of the 5 kHz and
// 6.25 kHz raster points. Text that is not a number counts as 0; numbers of
// any size are clamped, never converted with overflow.
qint64 ChannelFreqFromEditorMHz(double mhz, qint64 bandStartHz, qint64 bandEndHz);
qint64 ChannelFreqFromEditorText(const QString &text, qint64 bandStartHz, qint64 bandEndHz);
// The editor's result as cell text ("%0.6lf" of MHz).
QString ChannelFreqEditorText(qint64 hz);
