#pragma once

#include "app/sysset.h"
#include "channels/channelcodec.h"
#include "data/radiodata.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Channel plans as CSV in the generic column set of the open radio
// programming tools:
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment
// UTF-8 (a byte-order mark is skipped), columns found by header name in any
// order and letter case, missing columns allowed, quoted fields with ""
// for a quote, lines starting with # ignored.
//
// Busy-channel lockout and PTT dialling have no column: the words BCL and
// PTT-ID in Comment carry them.

extern const char *const kPlanColumns[17];

// One CSV record and the line on which it starts (1-based).
struct CsvRecord {
    int line = 0;
    QStringList fields;
    bool unterminated = false;   // a quoted field runs to the end of the file
};

// Tab-separated text (a spreadsheet's clipboard) parses with separator '\t'.
QVector<CsvRecord> ParseCsv(const QByteArray &utf8, QChar separator = QLatin1Char(','));
QByteArray CsvLine(const QStringList &fields);

// A plan holds 22 rows; a file this large is no plan and is not read.
constexpr qint64 kMaxPlanFileBytes = 1 << 20;

struct PlanLimits {
    int maxRows = kMaxChannels;    // ChanNum
    qint64 bandStartHz = 0;        // StartBand, inclusive
    qint64 bandEndHz = 0;          // EndBand, exclusive
    int firstRow = 0;              // the plan's rows go in from this row on (a paste)
};

// ChanNum and the band of the settings.
PlanLimits PlanLimitsOf(const SysSet_S &set);

struct PlanRefusal {
    int line;
    QString reason;
};

// An imported row's frequency moved onto the raster: "Frequency 446.00624
// MHz snapped to 446.005000 MHz".
struct PlanSnap {
    int line;
    QString change;
};

struct PlanImport {
    QString error;                         // the file cannot be a plan; nothing imported
    int errorLine = 0;
    QVector<ChannelFields_S> channels;     // channels 1.. in Location order
    QVector<int> lines;                    // the CSV line of each channel
    QVector<PlanRefusal> refused;          // by line, in line order
    QVector<PlanSnap> snapped;             // of imported rows, in line order
};

// Rows to channels. A row is refused, with the reason, when the radio
// cannot hold it: frequency outside the band, Duplex off or unknown, a tone
// or DCS code the radio's list lacks, an unknown mode, skip or power, or
// a row beyond maxRows counted from firstRow. Frequencies go through the channel cell editor's
// clamp and snap; each change of an imported row is listed in snapped.
PlanImport ImportChannelPlan(const QByteArray &utf8, const PlanLimits &limits,
                             QChar separator = QLatin1Char(','));

// Replaces the channel region of image: the 22 records are filled with 0xFF,
// then the channels are stored as the channel page stores its rows. Every
// other byte is left as it is.
void PutChannelPlan(RadioData_S *image, const QVector<ChannelFields_S> &channels);

// Channels as a plan: Location from 1, Name empty, equal tones as TSQL or
// DTCS, a transmit-only CTCSS tone as Tone, others as Cross; a transmit
// frequency apart from receive as Duplex + or - with the offset when both
// lie in the band of limits, else as split with the transmit frequency in
// Offset; power 5.0W or 1.0W, TStep by raster. maxRows is not used.
QByteArray ExportChannelPlan(const QVector<ChannelFields_S> &channels, const PlanLimits &limits);
// The channels the window shows (at most limits.maxRows).
QByteArray ExportChannelPlan(const RadioData_S &image, const PlanLimits &limits);

// Channel rows for the clipboard: the plan's header line and rows,
// tab-separated, so a spreadsheet receives them as columns.
QString ChannelPlanClipboardText(const QVector<ChannelFields_S> &rows, const PlanLimits &limits);

// Pasted text as a plan: tab-separated when its first line holds a tab, else
// comma-separated. Without a header line (no Frequency column in the first
// line) the fields are in the plan's column order. Lines are the text's own.
PlanImport PasteChannelPlan(const QString &text, const PlanLimits &limits);
