#include "commands.h"

#include "console.h"
#include "files.h"
#include "imagefields.h"

#include <QCommandLineParser>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

QString FieldId(const ImageField &f)
{
    return f.section + QLatin1Char('/') + f.key + QLatin1Char('/') + QString::number(f.channel);
}

// One line per differing field ("<name>: <a> -> <b>", "-" where a channel
// exists in one image only), then one line per differing byte that no
// differing field explains ("0x009C not used by any page: FF -> 00").
QStringList DiffImages(const RadioData_S &a, const RadioData_S &b)
{
    const QVector<ImageField> fa = ImageFields(a);
    const QVector<ImageField> fb = ImageFields(b);
    QHash<QString, int> inB;
    for (int i = 0; i < fb.size(); ++i)
        inB.insert(FieldId(fb.at(i)), i);

    QStringList lines;
    QSet<int> explained;
    const auto report = [&](const ImageField &f, const QString &va, const QString &vb) {
        lines << FieldName(f) + QStringLiteral(": ") + va + QStringLiteral(" -> ") + vb;
        for (int o : f.offsets)
            explained.insert(o);
    };
    QSet<QString> seen;
    for (const ImageField &f : fa) {
        const QString id = FieldId(f);
        seen.insert(id);
        const auto it = inB.constFind(id);
        if (it == inB.constEnd())
            report(f, Shown(f.text), QStringLiteral("-"));
        else if (fb.at(*it).text != f.text)
            report(f, Shown(f.text), Shown(fb.at(*it).text));
    }
    for (const ImageField &f : fb)
        if (!seen.contains(FieldId(f)))
            report(f, QStringLiteral("-"), Shown(f.text));

    for (int o = 0; o < kImageSize; ++o) {
        if (a.at(o) == b.at(o) || explained.contains(o))
            continue;
        const QString where = o < kHeaderSize ? ByteOwner(o)
                                              : QString::asprintf("0x%04X ", OffsetToRadioAddr(o)) + ByteOwner(o);
        lines << where + QString::asprintf(": %02X -> %02X", a.at(o), b.at(o));
    }
    return lines;
}

Exit Diff(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 2) {
        Fail(QStringLiteral("diff"), QStringLiteral("expects A.dat B.dat"));
        return Exit::Usage;
    }
    RadioData_S x{}, y{};
    if (!LoadImage(parser.positionalArguments().at(0), &x) || !LoadImage(parser.positionalArguments().at(1), &y))
        return Exit::FileError;
    const QStringList lines = DiffImages(x, y);
    for (const QString &line : lines)
        Out(line + QLatin1Char('\n'));
    return lines.isEmpty() ? Exit::Ok : Exit::Differs;
}

} // namespace

Command DiffCommand()
{
    return {"diff", "the fields in which two data files differ",
            "Lists the fields in which the two data files differ, one per line as\n"
            "'name: A -> B', then the radio addresses of differing bytes that no\n"
            "listed field explains. Exit status 0 when equal, 7 when they differ.",
            {{QStringLiteral("A.dat"), QStringLiteral("the data file on the left")},
             {QStringLiteral("B.dat"), QStringLiteral("the data file on the right")}},
            {},
            Diff};
}
