#pragma once

#include "data/radiodata.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// Codecs of the whole-radio settings, the DTMF codes and the FM presets.
// Offsets are image offsets (radio address - 0x7C).

// ---------------------------------------------------------------------------
// Option bytes. Each is one whole byte holding the position of the selected
// item in its list; a byte that is not a position shows the first item.
//   0x07 Tail      0x08 SqlLev    0x09 ScanWay   0x0C KeyTone   0x0D VoiType
//   0x0E FallAlarm 0x0F VoxLev    0x10 TotLev    0x11 PowSav
//   0x12, 0x13     written 0, never read
//   0x1C DtmEncCon 0x1D DtmEncTone

// In the order the settings page lists and loads them.
enum SettingId_E {
    SetSqlLev,
    SetScanWay,
    SetTail,
    SetKeyTone,
    SetVoiType,
    SetFallAlarm,     // man-down alarm: loaded and stored, never shown
    SetVoxLev,
    SetTotLev,
    SetPowSav,
    SetDtmEncCon,     // PTT ID send condition
    SetDtmEncTone,    // DTMF sidetone
    SettingCount
};

struct SettingField_S {
    int offset;
    const char *key;            // short name for listings
    const char *label;          // row label, source text of context MACSET_Form
    int itemCount;
    const char *const *items;   // source texts in code order
};

extern const SettingField_S kSettingFields[SettingCount];

// Bytes written as 0 whenever the settings are stored.
constexpr int kSettingZeroOffsets[] = {ImageOffset::Zero12, ImageOffset::Zero13};

// Position shown for a stored code: the code when it is below itemCount, else 0.
int SettingPosFromCode(uint8_t code, int itemCount);
int SettingPos(const RadioData_S &image, SettingId_E id);
// Stores a list position; a position outside the list stores 0.
void StoreSetting(RadioData_S *image, SettingId_E id, int pos);
void StoreSettingZeroBytes(RadioData_S *image);

// Source text of the item a stored code shows (the first item when out of range).
QString SettingItemText(const RadioData_S &image, SettingId_E id);

// ---------------------------------------------------------------------------
// DTMF codes: one digit per byte (0x00..0x0F, shown as 0-9, A-F). A code ends
// at the first byte above 0x0F or at the end of its field; no length byte.
//   0x14..0x1B PTT ID (8)   0x24..0x27 ID code (4)
//   0x34..0x3B stun (8)     0x3C..0x43 kill (8)

enum DtmfCodeId_E { DtmfPttId, DtmfMacId, DtmfStun, DtmfKill, DtmfCodeCount };

struct DtmfCodeField_S {
    int offset;
    int length;                 // bytes = maximum digits
    const char *key;
    const char *label;          // row label, source text of context MACSET_Form
    const char *chars;          // characters the cell editor accepts
};

extern const DtmfCodeField_S kDtmfCodeFields[DtmfCodeCount];
constexpr int kDtmfMinTyped = 3;     // shorter typed codes are dropped

// Upper-case hexadecimal text of the digits of a field.
QString DtmfCodeFromField(const uint8_t *field, int len);
QString DtmfCode(const RadioData_S &image, DtmfCodeId_E id);

// Writes one byte per character from the field's start and nothing else.
// Stops at the field's end and at the first character that is not a
// hexadecimal digit (either case); the bytes after the code keep their
// value (0xFF after the image fill, which ends the code). Returns the
// number of digits written.
int StoreDtmfCode(uint8_t *field, int len, const QString &code);
int StoreDtmfCode(RadioData_S *image, DtmfCodeId_E id, const QString &code);

// ---------------------------------------------------------------------------
// FM broadcast presets.
//   0x06        start channel: index of the first channel in use, 0xFF for none
//   0x1E..0x1F  channel mask, big-endian: bit i = channel i+1 in use
//               (0x1E carries channels 9..16, 0x1F channels 1..8)
//   0x44 + 2i   frequency word of channel i+1, big-endian, 100 kHz units;
//               650..1080 (65.0..108.0 MHz), anything else is an empty channel

constexpr int kFmChannels = 16;
constexpr uint16_t kFmWordMin = 650;
constexpr uint16_t kFmWordMax = 1080;
constexpr uint8_t kFmNoStartChannel = 0xFF;
constexpr long kFmLowestHz = 65000000;
constexpr long kFmHighestHz = 108000000;

inline bool FmWordValid(uint16_t word) { return word >= kFmWordMin && word <= kFmWordMax; }
uint16_t FmWord(const RadioData_S &image, int channel);
uint16_t FmMask(const RadioData_S &image);
uint8_t FmStartChannel(const RadioData_S &image);

// "%0.1lf" MHz of a valid word (875 gives 87.5); empty text otherwise.
QString FmWordText(uint16_t word);

// Word of a cell text: the points removed, a decimal integer. ok is set only
// for 650..1080; any other text gives 0 and ok false.
uint16_t FmWordFromCellText(const QString &text, bool *ok);

// Stores the 16 cell texts: words of valid cells, the mask and the start
// channel. A cell that is not a frequency in range is an empty channel: its
// word is not written and its mask bit stays clear. Missing texts are empty.
void StoreFmChannels(RadioData_S *image, const QStringList &cellTexts);

// What the FM frequency editor commits for a typed text: empty stays empty;
// otherwise MHz, limited to lowestHz..highestHz (both inclusive) and written
// with one decimal. Text that is not a number counts as 0.
QString FmEditorCommitText(const QString &typed, long lowestHz, long highestHz);
