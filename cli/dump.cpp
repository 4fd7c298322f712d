#include "commands.h"

#include "console.h"
#include "files.h"
#include "imagefields.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace {

QString Pad(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

// Readable listing of all fields.
QString DumpText(const RadioData_S &image)
{
    const QVector<ImageField> fields = ImageFields(image);
    QString out;
    const auto line = [&out](const QString &label, const QString &value) {
        out += QStringLiteral("  ") + Pad(label, 26) + value + QLatin1Char('\n');
    };
    const auto find = [&fields](const char *section, const char *key) {
        for (const ImageField &f : fields)
            if (f.section == QLatin1String(section) && f.key == QLatin1String(key) && f.channel == 0)
                return f;
        return ImageField();
    };

    out += QStringLiteral("Header\n");
    line(QStringLiteral("version"), find("header", "version").text);

    out += QStringLiteral("Channels\n");
    line(QStringLiteral("channel count"), find("channels", "count").text);
    line(QStringLiteral("channel scan mask"), find("channels", "scanMask").text);
    static const int kWidths[] = {12, 12, 7, 7, 6, 9, 9, 11, 0};
    QString head = QStringLiteral("  ") + Pad(QStringLiteral("Ch"), 4);
    const char *const kHeads[] = {"Receive", "Transmit", "Band", "Power", "Scan", "TX tone", "RX tone",
                                  "Busy lock", "PTT dial"};
    for (int c = 0; c < 9; ++c)
        head += Pad(QLatin1String(kHeads[c]), kWidths[c]);
    bool headDone = false;
    QString row;
    int column = 0;
    for (const ImageField &f : fields) {
        if (f.section != QLatin1String("channels") || f.channel == 0)
            continue;
        if (!headDone) {
            out += head.trimmed().prepend(QStringLiteral("  ")) + QLatin1Char('\n');
            headDone = true;
        }
        if (column == 0)
            row = QStringLiteral("  ") + Pad(QString::asprintf("%02d", f.channel), 4);
        row += Pad(f.text, kWidths[column]);
        if (++column == 9) {
            out += row.trimmed().prepend(QStringLiteral("  ")) + QLatin1Char('\n');
            column = 0;
        }
    }

    out += QStringLiteral("Settings\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("settings"))
            line(f.label, f.text);

    out += QStringLiteral("DTMF\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("dtmf"))
            line(f.label, Shown(f.text));

    out += QStringLiteral("FM radio\n");
    for (const ImageField &f : fields)
        if (f.section == QLatin1String("fm"))
            line(f.channel ? QString::asprintf("channel %02d", f.channel) : f.label, Shown(f.text));
    return out;
}

// All fields as one JSON document.
QByteArray DumpJson(const RadioData_S &image)
{
    const QVector<ImageField> fields = ImageFields(image);
    QJsonObject root, channels, dtmf, fm;
    QJsonArray channelList, settings, codes, options, fmChannels;
    QMap<int, QJsonObject> channelObjects;
    for (const ImageField &f : fields) {
        if (f.section == QLatin1String("header")) {
            root.insert(f.key, f.json);
        } else if (f.section == QLatin1String("channels")) {
            if (f.channel == 0) {
                channels.insert(f.key, f.json);
                continue;
            }
            QJsonObject &channel = channelObjects[f.channel];
            channel.insert(QStringLiteral("channel"), f.channel);
            channel.insert(f.key, f.json);
        } else if (f.code >= 0 && f.section != QLatin1String("fm")) {
            const QJsonObject item{{QStringLiteral("key"), f.key},
                                   {QStringLiteral("label"), f.label},
                                   {QStringLiteral("code"), f.code},
                                   {QStringLiteral("value"), f.json}};
            (f.section == QLatin1String("dtmf") ? options : settings).append(item);
        } else if (f.section == QLatin1String("dtmf")) {
            codes.append(QJsonObject{{QStringLiteral("key"), f.key},
                                     {QStringLiteral("label"), f.label},
                                     {QStringLiteral("code"), f.json}});
        } else if (f.channel > 0) {
            fmChannels.append(QJsonObject{{QStringLiteral("channel"), f.channel},
                                          {QStringLiteral("frequency"), f.json}});
        } else {
            fm.insert(f.key, f.json);
            if (f.code >= 0)
                fm.insert(f.key + QStringLiteral("Code"), f.code);
        }
    }
    for (const QJsonObject &channel : qAsConst(channelObjects))
        channelList.append(channel);
    channels.insert(QStringLiteral("list"), channelList);
    dtmf.insert(QStringLiteral("codes"), codes);
    dtmf.insert(QStringLiteral("options"), options);
    fm.insert(QStringLiteral("channels"), fmChannels);
    root.insert(QStringLiteral("channels"), channels);
    root.insert(QStringLiteral("settings"), settings);
    root.insert(QStringLiteral("dtmf"), dtmf);
    root.insert(QStringLiteral("fm"), fm);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Exit Dump(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 1) {
        Fail(QStringLiteral("dump"), QStringLiteral("expects FILE.dat"));
        return Exit::Usage;
    }
    RadioData_S image{};
    if (!LoadImage(parser.positionalArguments().at(0), &image))
        return Exit::FileError;
    if (parser.isSet(QStringLiteral("json")))
        OutBytes(DumpJson(image));
    else
        Out(DumpText(image));
    return Exit::Ok;
}

} // namespace

Command DumpCommand()
{
    return {"dump", "every field of a data file",
            "Lists every field of a data file as the pages decode it: version,\n"
            "channels (count, scan mask, frequencies, bandwidth, power, scan, tones,\n"
            "busy lockout, PTT dialling), settings, DTMF codes and options, FM\n"
            "presets with their mask and start channel. Channels are the records in\n"
            "use (ChanCount, at most 22).",
            {{QStringLiteral("FILE.dat"), QStringLiteral("the data file to list")}},
            {{QStringLiteral("json"), QStringLiteral("one JSON document instead of text")}},
            Dump};
}
