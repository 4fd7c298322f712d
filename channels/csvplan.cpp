#include "csvplan.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstring>

const char *const kPlanColumns[17] = {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone",
                                      "rToneFreq", "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode",
                                      "CrossMode", "Mode", "TStep", "Skip", "Power", "Comment"};

namespace {

const QString kBusyLockWord = QStringLiteral("BCL");
const QString kPttDialWord = QStringLiteral("PTT-ID");
constexpr double kLowPowerMaxWatts = 2.0;

const QStringList &Tones()
{
    static const QStringList tones = ToneListTexts();
    return tones;
}

// Fields of one row by column name (lower case).
class Row
{
public:
    Row(const QHash<QString, int> &columns, const CsvRecord &record) : m_columns(columns), m_record(record) {}
    bool has(const char *name) const { return m_columns.contains(QString::fromLatin1(name).toLower()); }
    QString value(const char *name) const
    {
        const int i = m_columns.value(QString::fromLatin1(name).toLower(), -1);
        return i < 0 ? QString() : m_record.fields.value(i).trimmed();
    }

private:
    const QHash<QString, int> &m_columns;
    const CsvRecord &m_record;
};

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString MHz(qint64 hz)
{
    return QString::number(hz / 1e6, 'f', 6).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

bool Number(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

// A frequency in MHz within the band, as the channel cell editor stores it.
// A value that does not round to the stored Hz was snapped (or clamped below
// the band end): the change goes to snaps.
bool BandFrequency(double mhz, const PlanLimits &limits, const char *what, uint32_t *hz, QString *why,
                   QStringList *snaps)
{
    const double exact = mhz * 1e6;
    if (!(exact >= limits.bandStartHz && exact < limits.bandEndHz)) {
        *why = QStringLiteral("%1 %2 MHz is outside the band %3-%4 MHz")
                       .arg(QLatin1String(what), QString::number(mhz, 'f', 6), MHz(limits.bandStartHz),
                            MHz(limits.bandEndHz));
        return false;
    }
    *hz = static_cast<uint32_t>(ChannelFreqFromEditorMHz(mhz, limits.bandStartHz, limits.bandEndHz));
    if (std::llround(exact) != qint64(*hz))
        *snaps << QStringLiteral("%1 %2 MHz snapped to %3 MHz")
                          .arg(QLatin1String(what), QString::number(mhz, 'g', 12), ChannelFreqText(*hz));
    return true;
}

// Tone list position of a CTCSS tone in Hz.
bool CtcssPosition(const Row &row, const char *column, int *position, QString *why)
{
    const QString text = row.value(column);
    double hz = 0;
    if (text.isEmpty() || !Number(text, &hz)) {
        *why = text.isEmpty() ? QStringLiteral("%1 is empty").arg(QLatin1String(column))
                              : QStringLiteral("%1 %2 is not a number").arg(QLatin1String(column), Quoted(text));
        return false;
    }
    for (int p = kToneCtcssFirst; p < kToneDcsNFirst; ++p) {
        if (std::fabs(Tones().at(p).toDouble() - hz) < 0.005) {
            *position = p;
            return true;
        }
    }
    *why = QStringLiteral("%1 %2 is not a CTCSS tone of the radio").arg(QLatin1String(column), text);
    return false;
}

// Tone list position of a DCS code (octal digits) with polarity 'N' or 'R'.
bool DcsPosition(const Row &row, const char *column, QChar polarity, int *position, QString *why)
{
    const QString text = row.value(column);
    static const QRegularExpression digits(QStringLiteral("^[0-7]{1,3}$"));
    if (!digits.match(text).hasMatch()) {
        *why = text.isEmpty() ? QStringLiteral("%1 is empty").arg(QLatin1String(column))
                              : QStringLiteral("%1 %2 is not a DCS code").arg(QLatin1String(column), Quoted(text));
        return false;
    }
    const int p = Tones().indexOf(QLatin1Char('D') + text.rightJustified(3, QLatin1Char('0')) + QLatin1Char('N'));
    if (p < 0) {
        *why = QStringLiteral("%1 %2 is not a DCS code of the radio").arg(QLatin1String(column), text);
        return false;
    }
    *position = polarity == QLatin1Char('R') ? p + kDcsCount : p;
    return true;
}

bool RowTones(const Row &row, ChannelFields_S *ch, QString *why)
{
    const QString mode = row.value("Tone");
    QString polarity = row.value("DtcsPolarity").toUpper();
    if (polarity.isEmpty())
        polarity = QStringLiteral("NN");
    static const QRegularExpression polarityForm(QStringLiteral("^[NR]{2}$"));
    const bool dcsUsed = mode.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0
            || (mode.compare(QLatin1String("Cross"), Qt::CaseInsensitive) == 0
                && row.value("CrossMode").contains(QLatin1String("DTCS"), Qt::CaseInsensitive));
    if (dcsUsed && !polarityForm.match(polarity).hasMatch()) {
        *why = QStringLiteral("DtcsPolarity %1 is not NN, NR, RN or RR").arg(Quoted(row.value("DtcsPolarity")));
        return false;
    }

    ch->TxTone = ch->RxTone = 0;
    if (mode.isEmpty())
        return true;
    if (mode.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
        return CtcssPosition(row, "rToneFreq", &ch->TxTone, why);
    if (mode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        if (!CtcssPosition(row, "cToneFreq", &ch->TxTone, why))
            return false;
        ch->RxTone = ch->TxTone;
        return true;
    }
    if (mode.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
        return DcsPosition(row, "DtcsCode", polarity.at(0), &ch->TxTone, why)
                && DcsPosition(row, "DtcsCode", polarity.at(1), &ch->RxTone, why);
    if (mode.compare(QLatin1String("Cross"), Qt::CaseInsensitive) != 0) {
        *why = QStringLiteral("Tone %1 is not a tone mode of the radio (empty, Tone, TSQL, DTCS or Cross)")
                       .arg(Quoted(mode));
        return false;
    }

    // Cross: transmit side from rToneFreq or DtcsCode, receive side from
    // cToneFreq or RxDtcsCode.
    const QString cross = row.value("CrossMode");
    const int arrow = cross.indexOf(QLatin1String("->"));
    const QString tx = arrow < 0 ? QString() : cross.left(arrow).trimmed();
    const QString rx = arrow < 0 ? QString() : cross.mid(arrow + 2).trimmed();
    const auto side = [](const QString &s) {
        if (s.isEmpty())
            return 0;
        if (s.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
            return 1;
        if (s.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
            return 2;
        return -1;
    };
    const int txSide = side(tx), rxSide = side(rx);
    if (arrow < 0 || txSide < 0 || rxSide < 0 || (txSide == 0 && rxSide == 0)) {
        *why = QStringLiteral("CrossMode %1 is not a cross mode of the radio").arg(Quoted(cross));
        return false;
    }
    if (txSide == 1 && !CtcssPosition(row, "rToneFreq", &ch->TxTone, why))
        return false;
    if (txSide == 2 && !DcsPosition(row, "DtcsCode", polarity.at(0), &ch->TxTone, why))
        return false;
    if (rxSide == 1 && !CtcssPosition(row, "cToneFreq", &ch->RxTone, why))
        return false;
    if (rxSide == 2 && !DcsPosition(row, "RxDtcsCode", polarity.at(1), &ch->RxTone, why))
        return false;
    return true;
}

// Power in watts: above 2 W (or empty) high, 2 W or less low.
bool Power(const QString &text, int *power, QString *why)
{
    if (text.isEmpty() || text.compare(QLatin1String("high"), Qt::CaseInsensitive) == 0) {
        *power = 0;
        return true;
    }
    if (text.compare(QLatin1String("low"), Qt::CaseInsensitive) == 0) {
        *power = 1;
        return true;
    }
    static const QRegularExpression watts(QStringLiteral("^([0-9]*\\.?[0-9]+)\\s*[wW]?$"));
    const QRegularExpressionMatch m = watts.match(text);
    double w = 0;
    if (!m.hasMatch() || !Number(m.captured(1), &w)) {
        *why = QStringLiteral("Power %1 is not a power in watts").arg(Quoted(text));
        return false;
    }
    *power = w > kLowPowerMaxWatts ? 0 : 1;
    return true;
}

// snaps: the row's frequencies that were moved onto the raster; transmit
// only when it is given apart from receive (Duplex +, - or split).
bool RowToChannel(const Row &row, const PlanLimits &limits, ChannelFields_S *ch, QString *why, QStringList *snaps)
{
    const QString freqText = row.value("Frequency");
    double rxMHz = 0;
    if (!Number(freqText, &rxMHz)) {
        *why = freqText.isEmpty() ? QStringLiteral("Frequency is empty")
                                  : QStringLiteral("Frequency %1 is not a number").arg(Quoted(freqText));
        return false;
    }
    if (!BandFrequency(rxMHz, limits, "Frequency", &ch->RxFreq, why, snaps))
        return false;

    const QString duplex = row.value("Duplex").toLower();
    const QString offsetText = row.value("Offset");
    double offset = 0;
    if (!offsetText.isEmpty() && !Number(offsetText, &offset)) {
        *why = QStringLiteral("Offset %1 is not a number").arg(Quoted(offsetText));
        return false;
    }
    double txMHz = rxMHz;
    if (duplex == QLatin1String("+")) {
        txMHz = rxMHz + offset;
    } else if (duplex == QLatin1String("-")) {
        txMHz = rxMHz - offset;
    } else if (duplex == QLatin1String("split")) {
        if (offsetText.isEmpty()) {
            *why = QStringLiteral("Duplex split needs the transmit frequency in Offset");
            return false;
        }
        txMHz = offset;
    } else if (duplex == QLatin1String("off")) {
        *why = QStringLiteral("Duplex off (transmit disabled) cannot be held by the radio");
        return false;
    } else if (!duplex.isEmpty()) {
        *why = QStringLiteral("Duplex %1 is not empty, +, -, split or off").arg(Quoted(row.value("Duplex")));
        return false;
    }
    QStringList txSnaps;
    if (!BandFrequency(txMHz, limits, "transmit frequency", &ch->TxFreq, why, &txSnaps))
        return false;
    if (!duplex.isEmpty())
        *snaps << txSnaps;

    if (!RowTones(row, ch, why))
        return false;

    const QString mode = row.value("Mode");
    if (mode.isEmpty() || mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) == 0) {
        ch->Bandwidth = 0;
    } else if (mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0) {
        ch->Bandwidth = 1;
    } else {
        *why = QStringLiteral("Mode %1 is not FM or NFM").arg(Quoted(mode));
        return false;
    }

    const QString skip = row.value("Skip");
    if (skip.isEmpty() || skip.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0) {
        ch->Scan = 0;
    } else if (skip.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0) {
        ch->Scan = 1;   // the radio's scan bit set: not scanned
    } else {
        *why = QStringLiteral("Skip %1 is not empty, S or P").arg(Quoted(skip));
        return false;
    }

    if (!Power(row.value("Power"), &ch->Power, why))
        return false;

    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    const QStringList words = row.value("Comment").split(separators, Qt::SkipEmptyParts);
    ch->BusyLock = words.contains(kBusyLockWord, Qt::CaseInsensitive) ? 1 : 0;
    ch->PttDial = words.contains(kPttDialWord, Qt::CaseInsensitive) ? 1 : 0;
    return true;
}

QString Escaped(const QString &field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))
        && !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return Quoted(quoted);
}

int ToneKind(int position)
{
    uint8_t kind = 0, code = 0;
    ToneKindCode(position, &kind, &code);
    return kind;
}

QString DcsDigits(int position)
{
    return Tones().at(position).mid(1, 3);
}

QChar DcsPolarity(int position)
{
    return ToneKind(position) == ToneDcsI ? QLatin1Char('R') : QLatin1Char('N');
}

} // namespace

QVector<CsvRecord> ParseCsv(const QByteArray &utf8, QChar separator)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QVector<CsvRecord> records;
    int line = 1;
    int i = 0;
    const int n = text.size();
    const auto endOfLine = [&](int at) { return at >= n || text.at(at) == '\n' || text.at(at) == '\r'; };
    const auto skipNewline = [&]() {
        if (i < n && text.at(i) == '\r')
            ++i;
        if (i < n && text.at(i) == '\n')
            ++i;
        ++line;
    };

    while (i < n) {
        // Comment and blank lines.
        int j = i;
        while (j < n && (text.at(j) == ' ' || text.at(j) == '\t'))
            ++j;
        if (endOfLine(j) || text.at(j) == '#') {
            while (!endOfLine(j))
                ++j;
            i = j;
            skipNewline();
            continue;
        }

        CsvRecord rec;
        rec.line = line;
        QString field;
        bool quoted = false;
        while (true) {
            if (quoted) {
                if (i >= n) {
                    rec.unterminated = true;
                    break;
                }
                const QChar c = text.at(i++);
                if (c == '"') {
                    if (i < n && text.at(i) == '"') {
                        field += QLatin1Char('"');
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n' || (c == '\r' && (i >= n || text.at(i) != '\n')))
                        ++line;
                    field += c;
                }
                continue;
            }
            if (endOfLine(i)) {
                rec.fields << field;
                break;
            }
            const QChar c = text.at(i++);
            if (c == separator) {
                rec.fields << field;
                field.clear();
            } else if (c == '"' && field.trimmed().isEmpty()) {
                field.clear();
                quoted = true;
            } else {
                field += c;
            }
        }
        if (rec.unterminated)
            rec.fields << field;
        records << rec;
        if (i < n)
            skipNewline();
    }
    return records;
}

QByteArray CsvLine(const QStringList &fields)
{
    QStringList escaped;
    for (const QString &f : fields)
        escaped << Escaped(f);
    return escaped.join(QLatin1Char(',')).toUtf8() + '\n';
}

PlanImport ImportChannelPlan(const QByteArray &utf8, const PlanLimits &limits, QChar separator)
{
    PlanImport result;
    const QVector<CsvRecord> records = ParseCsv(utf8, separator);
    if (records.isEmpty()) {
        result.error = QStringLiteral("no header line");
        return result;
    }
    QHash<QString, int> columns;
    const CsvRecord &header = records.first();
    for (int c = 0; c < header.fields.size(); ++c) {
        const QString name = header.fields.at(c).trimmed().toLower();
        if (!name.isEmpty() && !columns.contains(name))
            columns.insert(name, c);
    }
    if (!columns.contains(QStringLiteral("frequency"))) {
        result.error = QStringLiteral("the header has no Frequency column");
        result.errorLine = header.line;
        return result;
    }

    struct Accepted {
        qint64 location;
        int line;
        ChannelFields_S channel;
        QStringList snaps;
    };
    QVector<Accepted> accepted;
    for (int r = 1; r < records.size(); ++r) {
        const CsvRecord &rec = records.at(r);
        const Row row(columns, rec);
        QString why;
        Accepted a{r, rec.line, ChannelFields_S(), {}};
        if (rec.unterminated) {
            why = QStringLiteral("a quoted field is not closed");
        } else if (row.has("Location")) {
            bool ok = false;
            a.location = row.value("Location").toLongLong(&ok);
            if (!ok)
                why = QStringLiteral("Location %1 is not a number").arg(Quoted(row.value("Location")));
        }
        if (why.isEmpty() && RowToChannel(row, limits, &a.channel, &why, &a.snaps))
            accepted << a;
        else
            result.refused << PlanRefusal{rec.line, why};
    }

    std::stable_sort(accepted.begin(), accepted.end(),
                     [](const Accepted &x, const Accepted &y) { return x.location < y.location; });
    const int maxRows = std::clamp(limits.maxRows, 0, int(kMaxChannels));
    for (int k = 0; k < accepted.size(); ++k) {
        if (limits.firstRow + k < maxRows) {
            result.channels << accepted.at(k).channel;
            result.lines << accepted.at(k).line;
            for (const QString &change : accepted.at(k).snaps)
                result.snapped << PlanSnap{accepted.at(k).line, change};
        } else {
            result.refused << PlanRefusal{accepted.at(k).line,
                                          QStringLiteral("the radio holds %1 channels (ChanNum); this row "
                                                         "would be channel %2")
                                                  .arg(maxRows)
                                                  .arg(limits.firstRow + k + 1)};
        }
    }
    std::stable_sort(result.refused.begin(), result.refused.end(),
                     [](const PlanRefusal &x, const PlanRefusal &y) { return x.line < y.line; });
    std::stable_sort(result.snapped.begin(), result.snapped.end(),
                     [](const PlanSnap &x, const PlanSnap &y) { return x.line < y.line; });
    return result;
}

PlanLimits PlanLimitsOf(const SysSet_S &set)
{
    PlanLimits limits;
    limits.maxRows = SysSetInt(set.ChanNum);
    limits.bandStartHz = BandEdgeHz(SysSetInt(set.StartBand));
    limits.bandEndHz = BandEdgeHz(SysSetInt(set.EndBand));
    return limits;
}

void PutChannelPlan(RadioData_S *image, const QVector<ChannelFields_S> &channels)
{
    std::memset(image->bytes() + ImageOffset::Channels, 0xFF, kMaxChannels * sizeof(ChannelData_S));
    ChannelStoreTable(image, channels);
}

QByteArray ExportChannelPlan(const RadioData_S &image, const PlanLimits &limits)
{
    return ExportChannelPlan(ChannelLoadTable(image, limits.maxRows), limits);
}

QByteArray ExportChannelPlan(const QVector<ChannelFields_S> &rows, const PlanLimits &limits)
{
    QStringList head;
    for (const char *c : kPlanColumns)
        head << QLatin1String(c);
    QByteArray out = CsvLine(head);

    const auto inBand = [&limits](uint32_t hz) { return hz >= limits.bandStartHz && hz < limits.bandEndHz; };
    for (int i = 0; i < rows.size(); ++i) {
        const ChannelFields_S &ch = rows.at(i);
        QString tone, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5");
        QString dtcs = QStringLiteral("023"), rxDtcs = QStringLiteral("023");
        QString polarity = QStringLiteral("NN"), cross = QStringLiteral("Tone->Tone");
        const int txKind = ToneKind(ch.TxTone), rxKind = ToneKind(ch.RxTone);
        const bool txDcs = txKind == ToneDcsN || txKind == ToneDcsI;
        const bool rxDcs = rxKind == ToneDcsN || rxKind == ToneDcsI;
        if (txKind == ToneNone && rxKind == ToneNone) {
            // no tones
        } else if (txKind == ToneCtcss && ch.TxTone == ch.RxTone) {
            tone = QStringLiteral("TSQL");
            rTone = cTone = Tones().at(ch.TxTone);
        } else if (txKind == ToneCtcss && rxKind == ToneNone) {
            tone = QStringLiteral("Tone");
            rTone = Tones().at(ch.TxTone);
        } else if (txDcs && rxDcs && DcsDigits(ch.TxTone) == DcsDigits(ch.RxTone)) {
            tone = QStringLiteral("DTCS");
            dtcs = rxDtcs = DcsDigits(ch.TxTone);
            polarity = QString(DcsPolarity(ch.TxTone)) + DcsPolarity(ch.RxTone);
        } else {
            tone = QStringLiteral("Cross");
            QString txSide, rxSide;
            QChar txPol = QLatin1Char('N'), rxPol = QLatin1Char('N');
            if (txKind == ToneCtcss) {
                txSide = QStringLiteral("Tone");
                rTone = Tones().at(ch.TxTone);
            } else if (txDcs) {
                txSide = QStringLiteral("DTCS");
                dtcs = DcsDigits(ch.TxTone);
                txPol = DcsPolarity(ch.TxTone);
            }
            if (rxKind == ToneCtcss) {
                rxSide = QStringLiteral("Tone");
                cTone = Tones().at(ch.RxTone);
            } else if (rxDcs) {
                rxSide = QStringLiteral("DTCS");
                rxDtcs = DcsDigits(ch.RxTone);
                rxPol = DcsPolarity(ch.RxTone);
            }
            cross = txSide + QStringLiteral("->") + rxSide;
            polarity = QString(txPol) + rxPol;
        }

        QStringList comment;
        if (ch.BusyLock == 1)
            comment << kBusyLockWord;
        if (ch.PttDial == 1)
            comment << kPttDialWord;
        QString duplex, offset = QStringLiteral("0.000000");
        if (ch.TxFreq != ch.RxFreq && inBand(ch.RxFreq) && inBand(ch.TxFreq)) {
            duplex = ch.TxFreq > ch.RxFreq ? QStringLiteral("+") : QStringLiteral("-");
            offset = ChannelFreqText(ch.TxFreq > ch.RxFreq ? ch.TxFreq - ch.RxFreq : ch.RxFreq - ch.TxFreq);
        } else if (ch.TxFreq != ch.RxFreq) {
            duplex = QStringLiteral("split");
            offset = ChannelFreqText(ch.TxFreq);
        }
        out += CsvLine({QString::number(i + 1), QString(), ChannelFreqText(ch.RxFreq), duplex, offset, tone, rTone,
                        cTone, dtcs,
                        polarity, rxDtcs, cross, ch.Bandwidth == 1 ? QStringLiteral("NFM") : QStringLiteral("FM"),
                        ch.RxFreq % 5000 == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25"),
                        ch.Scan == 1 ? QStringLiteral("S") : QString(),
                        ch.Power == 1 ? QStringLiteral("1.0W") : QStringLiteral("5.0W"), comment.join(' ')});
    }
    return out;
}

QString ChannelPlanClipboardText(const QVector<ChannelFields_S> &rows, const PlanLimits &limits)
{
    QString text;
    for (const CsvRecord &rec : ParseCsv(ExportChannelPlan(rows, limits)))
        text += rec.fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

PlanImport PasteChannelPlan(const QString &text, const PlanLimits &limits)
{
    const QByteArray utf8 = text.toUtf8();
    QVector<CsvRecord> records = ParseCsv(utf8, QLatin1Char('\t'));
    const QChar separator = !records.isEmpty() && records.first().fields.size() > 1 ? QLatin1Char('\t')
                                                                                    : QLatin1Char(',');
    if (separator != QLatin1Char('\t'))
        records = ParseCsv(utf8, separator);
    bool header = false;
    for (const QString &field : records.isEmpty() ? QStringList() : records.first().fields)
        header = header || field.trimmed().compare(QLatin1String("Frequency"), Qt::CaseInsensitive) == 0;
    if (records.isEmpty())   // nothing to paste is no error
        return PlanImport();
    if (header)
        return ImportChannelPlan(utf8, limits, separator);

    QStringList columns;
    for (const char *c : kPlanColumns)
        columns << QLatin1String(c);
    PlanImport plan = ImportChannelPlan(columns.join(separator).toUtf8() + '\n' + utf8, limits, separator);
    for (int &line : plan.lines)
        --line;
    for (PlanRefusal &r : plan.refused)
        --r.line;
    for (PlanSnap &s : plan.snapped)
        --s.line;
    return plan;
}
