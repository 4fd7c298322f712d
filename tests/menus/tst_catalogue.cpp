#include "menutest.h"

#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTabWidget>
#include <QXmlStreamReader>

using namespace menutest;

namespace {

// One message of a Linguist file: context, source and disambiguation.
using Key = QStringList;

struct Catalogue {
    QSet<Key> all;
    QSet<Key> finished;   // with a translation that is neither unfinished nor empty
};

bool readTs(const QString &path, Catalogue *cat)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&f);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {   // only contexts have names
            context = xml.readElementText();
            continue;
        }
        if (xml.name() != QLatin1String("message"))
            continue;
        QString source, comment, translation, type;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("comment")) {
                comment = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                type = xml.attributes().value(QLatin1String("type")).toString();
                translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else {
                xml.skipCurrentElement();
            }
        }
        const Key key{context, source, comment};
        cat->all.insert(key);
        if (type.isEmpty() && !translation.trimmed().isEmpty())
            cat->finished.insert(key);
    }
    return !xml.hasError();
}

bool isChinese(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x3000 && u <= 0x303F)     // CJK punctuation
            || (u >= 0x3400 && u <= 0x4DBF) // extension A
            || (u >= 0x4E00 && u <= 0x9FFF) // unified ideographs
            || (u >= 0xF900 && u <= 0xFAFF) // compatibility ideographs
            || (u >= 0xFF00 && u <= 0xFFEF); // full-width forms
}

class ChineseFinder
{
public:
    QStringList found;

    void check(const QObject *where, const QString &what, const QString &text)
    {
        if (std::any_of(text.begin(), text.end(), isChinese))
            found << QStringLiteral("%1 (%2) %3: %4")
                             .arg(path(where), QString::fromLatin1(where->metaObject()->className()), what, text);
    }

    void model(const QObject *where, const QAbstractItemModel *m, const QModelIndex &parent = QModelIndex())
    {
        if (!parent.isValid()) {
            for (int c = 0; c < m->columnCount(); ++c)
                check(where, QStringLiteral("column header"), m->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < m->rowCount(); ++r)
                check(where, QStringLiteral("row header"), m->headerData(r, Qt::Vertical).toString());
        }
        for (int r = 0; r < m->rowCount(parent); ++r)
            for (int c = 0; c < m->columnCount(parent); ++c) {
                const QModelIndex i = m->index(r, c, parent);
                check(where, QStringLiteral("item %1,%2").arg(r).arg(c), i.data().toString());
                check(where, QStringLiteral("item tip"), i.data(Qt::ToolTipRole).toString());
                if (m->hasChildren(i))
                    model(where, m, i);
            }
    }

    void widget(QWidget *w)
    {
        check(w, QStringLiteral("tool tip"), w->toolTip());
        if (auto *l = qobject_cast<QLabel *>(w))
            check(w, QStringLiteral("text"), l->text());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            check(w, QStringLiteral("text"), b->text());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            check(w, QStringLiteral("title"), g->title());
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            check(w, QStringLiteral("text"), e->text());
            check(w, QStringLiteral("placeholder"), e->placeholderText());
        }
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                check(w, QStringLiteral("item %1").arg(i), c->itemText(i));
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                check(w, QStringLiteral("tab %1").arg(i), t->tabText(i));
        if (auto *m = qobject_cast<QMenu *>(w))
            check(w, QStringLiteral("title"), m->title());
        if (auto *v = qobject_cast<QAbstractItemView *>(w))
            if (v->model())
                model(w, v->model());
        for (QAction *a : w->actions()) {
            check(a, QStringLiteral("action text"), a->text());
            check(a, QStringLiteral("action tip"), a->toolTip());
            if (a->menu())
                widget(a->menu());
        }
    }

private:
    static QString path(const QObject *o)
    {
        QStringList names;
        for (; o; o = o->parent())
            names.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                    : o->objectName());
        return names.join(QLatin1Char('/'));
    }
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyTranslatedTextHasEnglish();
    void englishWindowShowsNoChinese();
};

void TestCatalogue::everyTranslatedTextHasEnglish()
{
    QTemporaryDir tmp;
    const QString scanned = tmp.filePath(QStringLiteral("scan.ts"));
    QStringList args = {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                        QStringLiteral("-silent")};
    for (const char *dir : {"app", "data", "channels", "settings", "link", "forms"})
        args << QStringLiteral(SOURCE_DIR "/") + QLatin1String(dir);
    args << QStringLiteral("-ts") << scanned;
    QProcess lupdate;
    lupdate.start(QStringLiteral(LUPDATE), args);
    QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
    QCOMPARE(lupdate.exitCode(), 0);

    Catalogue program;
    QVERIFY(readTs(scanned, &program));
    QVERIFY(program.all.contains(Key{"MainWindow", "新建", ""}));   // the scan saw the sources

    Catalogue english;
    const QDir i18n(QStringLiteral(SOURCE_DIR "/i18n"));
    for (const QString &ts : i18n.entryList({QStringLiteral("*.ts")}, QDir::Files))
        QVERIFY2(readTs(i18n.filePath(ts), &english), qPrintable(ts));

    QStringList missing;
    for (const Key &k : program.all)
        if (!english.finished.contains(k))
            missing << k.at(0) + QStringLiteral(": ") + k.at(1) + (k.at(2).isEmpty() ? QString() : " (" + k.at(2) + ")");
    missing.sort();
    for (const QString &m : missing)
        qWarning().noquote() << "no English:" << m;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("%1 texts without English").arg(missing.size())));
}

void TestCatalogue::englishWindowShowsNoChinese()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settings("ttyS0", "English"));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    ChineseFinder finder;
    finder.check(&w, QStringLiteral("window title"), w.windowTitle());
    finder.widget(&w);
    for (QWidget *child : w.findChildren<QWidget *>())
        finder.widget(child);

    // Message boxes and the question of the language switch.
    Read_Write_Port = QStringLiteral("/dev/radiocps-no-such-port");
    ModalCloser closer([&finder](QWidget *d) {
        finder.check(d, QStringLiteral("dialog title"), d->windowTitle());
        return false;
    });
    for (int menu : {0, 1, 3})
        for (QAction *a : menuAt(w, menu)->actions())
            if (!a->isSeparator())
                a->trigger();
    QCOMPARE(closer.titles.size(), 4);   // save refused, language question, read, write
    for (int i = 0; i < closer.titles.size(); ++i) {
        finder.check(&closer, QStringLiteral("message title"), closer.titles.at(i));
        finder.check(&closer, QStringLiteral("message text"), closer.texts.at(i));
    }
    for (const QString &f : finder.found)
        qWarning().noquote() << f;
    QVERIFY2(finder.found.isEmpty(), qPrintable(QStringLiteral("%1 Chinese texts").arg(finder.found.size())));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
