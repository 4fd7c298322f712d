#include "commands.h"

#include "console.h"
#include "files.h"
#include "radiolink.h"

#include "app/sysset.h"
#include "data/datafile.h"
#include "data/pagestore.h"

#include <QCommandLineParser>

namespace {

// Without --raw the image the window would save; with it the radio's bytes
// as read, as a backup holds them.
Exit Read(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("output"))) {
        Fail(QStringLiteral("read"), QStringLiteral("expects PORT -o FILE.dat"));
        return Exit::Usage;
    }
    const QString port = parser.positionalArguments().at(0);
    const QString out = parser.value(QStringLiteral("output"));
    const bool raw = parser.isSet(QStringLiteral("raw"));
    SysSet_S set;
    if (!raw && !LoadSettings(&set))
        return Exit::FileError;

    // A read is not lost to a path it cannot be saved to.
    QString why;
    if (!CanSaveTo(out, &why)) {
        Fail(out, QStringLiteral("cannot write the data file: ") + why);
        return Exit::FileError;
    }
    RadioData_S radio{};
    const Exit status = ReadRadio(port, &radio, "reading", QStringLiteral("read"));
    if (status != Exit::Ok)
        return status;
    if (!raw)
        NoteChannelCut(port, radio, SysSetInt(set.ChanNum));
    if (!SaveImage(out, raw ? radio : NormaliseImage(radio, SysSetInt(set.ChanNum))))
        return Exit::FileError;
    Out(QStringLiteral("Read radio %1 on %2 into %3\n").arg(HeaderVersionText(radio.Header), port, out));
    return Exit::Ok;
}

} // namespace

Command ReadCommand()
{
    return {"read", "read the radio into a data file",
            "Reads the radio's memory on PORT and saves it as the window would after a\n"
            "read and a save: each page's bytes decoded and stored again, bytes no page\n"
            "owns 0xFF, at most ChanNum channels.",
            {{QStringLiteral("PORT"), QString::fromLatin1(kPortMeaning), QStringLiteral("PORT -o FILE.dat")}},
            {{{QStringLiteral("o"), QStringLiteral("output")},
              QStringLiteral("the data file to write (replaced atomically)"), QStringLiteral("FILE.dat")},
             {QStringLiteral("raw"),
              QStringLiteral("save the memory exactly as read, as a backup holds it: the header the radio "
                             "sent and every byte of 0x0080..0x023F, bytes no page uses included (needs no "
                             "settings file)")},
             FastOption(), SettingsOption()},
            Read};
}
