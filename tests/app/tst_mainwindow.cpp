#include "app/mainwindow.h"
#include "link/serial.h"

#include "modalcloser.h"
#include "scratchdir.h"

#include <QtTest>
#include <QFileDialog>
#include <QLabel>
#include <QStackedWidget>
#include <QTextCodec>
#include <QTreeWidget>

class MainWindowProbe
{
public:
    static RadioData_S &image(MainWindow &w) { return w.m_image; }
    static QString filePath(MainWindow &w) { return w.m_filePath; }
};

namespace {

QString label(MainWindow &w, const char *name)
{
    return w.findChild<QLabel *>(name)->text();
}

QByteArray settingsFile(const QByteArray &utf8Body)
{
    return QTextCodec::codecForName("GB2312")->fromUnicode(QString::fromUtf8(utf8Body));
}

const QByteArray kSettings = "[SYSSET]\nSerialNumber=ttyS0\nLanguage=%1\nFirstRun=No\nStartBand=400\n"
                             "EndBand=470\nVersion=2.07\nChanNum=16\nChanLimit=1\nBandRangText=400-470MHz\n"
                             "SoftName=HT-9\nChCompName=开源工具组\nEnCompName=Open Tools\n";

QByteArray settingsWith(const char *language)
{
    return settingsFile(QString::fromUtf8(kSettings).arg(language).toUtf8());
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWithDeliveredFiles();
    void companyByLanguage_data();
    void companyByLanguage();
    void missingCatalogueStaysChinese();
    void missingDefaultFileWarnsBeforeWindowShows();
    void emptySettingsGiveBareTitle();
    void treeClicksShowPages_data();
    void treeClicksShowPages();
    void openRefusesBadFilesWithoutChange();
    void openDialogAsksForDatFile();
    void saveRefusesDefaultFile();
    void saveWritesRebuiltImage();
    void saveAsAddsExtensionAndProposesTimestamp();
    void failedSaveReportsAndKeepsFile();
    void closeSavesSettings();
};

void TestMainWindow::firstRunWithDeliveredFiles()
{
    ScratchDir dir;   // delivered sysset.ini: FirstRun=Yes; tests run with LC_ALL=C.UTF-8
    MainWindow w;
    QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    QCOMPARE(ini.value("SYSSET/FirstRun").toString(), QString("No"));
    QCOMPARE(ini.value("SYSSET/Language").toString(), QString("English"));
    QCOMPARE(ini.value("SYSSET/LastMacModel").toString(), QString("6B05"));

    // English catalogue installed in the same start.
    QCOMPARE(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->text(0), QString("Radio Info"));
    QCOMPARE(label(w, "label_0"), QString("Released"));
    QCOMPARE(w.windowTitle(), QString("HT-6B05 V1.01"));
    QCOMPARE(label(w, "label_ReleaseVersion"), QString("1.01"));
    QCOMPARE(label(w, "label_ReleaseCompany"), QString("Open Radio Tools"));
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));
    QCOMPARE(label(w, "label_RadioVersion"), QString("V255.255"));
    QCOMPARE(label(w, "label_CurrentTime").size(), 19);
    QVERIFY(QRegularExpression("^\\d{4}-\\d{1,2}-[ \\d]\\d \\d\\d:\\d\\d:\\d\\d$")
                .match(label(w, "label_ReleaseTime")).hasMatch());

    // Image loaded from default.dat with the model word put in.
    const QByteArray def = fileBytes("datafile/default.dat");
    RadioData_S &img = MainWindowProbe::image(w);
    QCOMPARE(img.at(0), uint8_t(0x05));
    QCOMPARE(img.at(1), uint8_t(0x6B));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(img.bytes()) + 2, kImageSize - 2), def.mid(2));
    QCOMPARE(MainWindowProbe::filePath(w), QString("./datafile/default.dat"));
    QVERIFY(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->isExpanded());
}

void TestMainWindow::companyByLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Chinese shows ChCompName") << "Chinese" << QString::fromUtf8("开源工具组")
                                              << QString::fromUtf8("发行时间");
    QTest::newRow("English shows EnCompName") << "English" << "Open Tools" << "Released";
    QTest::newRow("other case loads nothing, EnCompName") << "english" << "Open Tools"
                                                          << QString::fromUtf8("发行时间");
}

void TestMainWindow::companyByLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, company);
    QFETCH(QString, caption);
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith(language.toLatin1()));
    MainWindow w;
    QCOMPARE(label(w, "label_ReleaseCompany"), company);
    QCOMPARE(label(w, "label_0"), caption);
    QCOMPARE(label(w, "label_ReleaseVersion"), QString("2.07"));
    QCOMPARE(label(w, "label_BandRang"), QString("400-470MHz"));
    QCOMPARE(w.windowTitle(), QString("HT-9 V2.07"));
    QCOMPARE(Read_Write_Port, QString("ttyS0"));
}

void TestMainWindow::missingCatalogueStaysChinese()
{
    ScratchDir dir({"sysset.ini", "default.dat"});
    dir.writeFile("datafile/sysset.ini", settingsWith("English"));
    ModalCloser closer;
    MainWindow w;
    QVERIFY(closer.titles.isEmpty());
    QCOMPARE(label(w, "label_0"), QString::fromUtf8("发行时间"));
    QCOMPARE(label(w, "label_ReleaseCompany"), QString("Open Tools"));
}

void TestMainWindow::missingDefaultFileWarnsBeforeWindowShows()
{
    ScratchDir dir({"sysset.ini"});
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese"));
    bool windowVisibleAtMessage = true;
    ModalCloser closer([&](QWidget *) {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<MainWindow *>(top))
                windowVisibleAtMessage = top->isVisible();
        return false;
    });
    MainWindow w;
    QCOMPARE(closer.titles, QStringList{QString::fromUtf8("[文件读取操作]")});
    QCOMPARE(closer.texts, QStringList{QString::fromUtf8("读取失败,默认文件数据被破坏,请另存为默认文件!")});
    QVERIFY(!windowVisibleAtMessage);
    RadioData_S &img = MainWindowProbe::image(w);
    for (int i = 0; i < kImageSize; ++i)
        QCOMPARE(img.at(i), uint8_t(0));
    QCOMPARE(label(w, "label_FileName"), QString("FileName"));
    QCOMPARE(w.windowTitle(), QString("HT-9 V2.07"));
    QVERIFY(w.findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->isExpanded());
}

void TestMainWindow::emptySettingsGiveBareTitle()
{
    ScratchDir dir({"default.dat"});
    MainWindow w;
    QCOMPARE(w.windowTitle(), QString(" V"));
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));   // FilePathDef fallback
}

void TestMainWindow::treeClicksShowPages_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Chinese") << "Chinese";
    QTest::newRow("English") << "English";
}

void TestMainWindow::treeClicksShowPages()
{
    QFETCH(QString, language);
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith(language.toLatin1()));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *tree = w.findChild<QTreeWidget *>("treeWidget");
    auto *stack = w.findChild<QStackedWidget *>("stackedWidget");
    QTreeWidgetItem *top = tree->topLevelItem(0);
    const QList<QTreeWidgetItem *> items = {top, top->child(0), top->child(1), top->child(2)};
    for (int page : {3, 1, 2, 0, 2}) {
        const QRect r = tree->visualItemRect(items[page]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(stack->currentIndex(), page);
    }
    w.UpdataRadioData();
    QCOMPARE(stack->currentIndex(), 0);
}

void TestMainWindow::openRefusesBadFilesWithoutChange()
{
    ScratchDir dir;
    MainWindow w;
    const QByteArray before(reinterpret_cast<char *>(MainWindowProbe::image(w).bytes()), kImageSize);
    dir.writeFile("short.dat", QByteArray(451, char(0x12)));
    dir.writeFile("long.dat", QByteArray(453, char(0x12)));
    ModalCloser closer;
    QVERIFY(!w.MenuActionOpenFile(dir.file("short.dat")));
    QVERIFY(!w.MenuActionOpenFile(dir.file("long.dat")));
    QVERIFY(!w.MenuActionOpenFile(dir.file("missing.dat")));
    QVERIFY(!QFile::exists(dir.file("missing.dat")));
    QVERIFY(closer.titles.isEmpty());   // only the start-up load reports
    QCOMPARE(QByteArray(reinterpret_cast<char *>(MainWindowProbe::image(w).bytes()), kImageSize), before);
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));

    QByteArray any(kImageSize, char(0x5A));
    any[2] = 1;
    any[3] = 5;
    dir.writeFile("any.dat", any);
    QVERIFY(w.MenuActionOpenFile(dir.file("any.dat")));
    QCOMPARE(label(w, "label_FileName"), QString("any.dat"));
    QCOMPARE(label(w, "label_RadioVersion"), QString("V1.05"));
    QCOMPARE(MainWindowProbe::image(w).at(0), uint8_t(0x05));
}

void TestMainWindow::openDialogAsksForDatFile()
{
    ScratchDir dir;
    MainWindow w;
    dir.writeFile("pick.dat", QByteArray(kImageSize, char(0x01)));
    QString caption;
    QStringList filters;
    {
        ModalCloser closer([&](QWidget *dlg) {
            auto *fd = qobject_cast<QFileDialog *>(dlg);
            if (!fd)
                return false;
            caption = fd->windowTitle();
            filters = fd->nameFilters();
            fd->selectFile(dir.file("pick.dat"));
            static_cast<QDialog *>(fd)->accept();
            return true;
        });
        QVERIFY(w.MenuActionOpenFile(QString()));
    }
    QCOMPARE(caption, QString("Open File"));
    QCOMPARE(filters, QStringList{"*.dat"});
    QCOMPARE(label(w, "label_FileName"), QString("pick.dat"));

    ModalCloser cancel;   // a cancelled dialog changes nothing
    QVERIFY(!w.MenuActionOpenFile(QString()));
    QCOMPARE(label(w, "label_FileName"), QString("pick.dat"));
}

void TestMainWindow::saveRefusesDefaultFile()
{
    ScratchDir dir;
    MainWindow w;
    const QByteArray before = fileBytes("datafile/default.dat");
    ModalCloser closer;
    w.MenuActionSaveFile(MainWindowProbe::filePath(w));
    QCOMPARE(closer.titles, QStringList{"[Save File]"});
    QCOMPARE(closer.texts, QStringList{"Save failed: the default file may not be changed, please use Save As!"});
    QCOMPARE(fileBytes("datafile/default.dat"), before);
}

void TestMainWindow::saveWritesRebuiltImage()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese"));
    MainWindow w;
    ModalCloser closer;
    const QString path = dir.file("saved.dat");
    w.MenuActionSaveFile(path);
    QCOMPARE(closer.titles, QStringList{QString::fromUtf8("[文件保存操作]")});
    QCOMPARE(closer.texts, QStringList{QString::fromUtf8("保存成功,数据保存到文件(") + path + ")!"});
    const QByteArray saved = fileBytes(path);
    QCOMPARE(saved.size(), kImageSize);
    QCOMPARE(saved.left(4), QByteArray::fromHex("FFFFFFFF"));
    // Bytes that no page owns are 0xFF.
    for (int off : {0x20, 0x21, 0x22, 0x23, 0x2C, 0x2F, 0x33})
        QCOMPARE(uint8_t(saved.at(off)), uint8_t(0xFF));
    QCOMPARE(label(w, "label_FileName"), QString("saved.dat"));
    QCOMPARE(MainWindowProbe::filePath(w), path);
}

void TestMainWindow::saveAsAddsExtensionAndProposesTimestamp()
{
    ScratchDir dir;
    MainWindow w;
    QString caption, proposed;
    ModalCloser closer([&](QWidget *dlg) {
        auto *fd = qobject_cast<QFileDialog *>(dlg);
        if (!fd)
            return false;
        caption = fd->windowTitle();
        proposed = QFileInfo(fd->selectedFiles().value(0)).fileName();
        fd->selectFile(dir.file("plan"));
        static_cast<QDialog *>(fd)->accept();
        return true;
    });
    w.MenuActionSaveFile(QString());
    QCOMPARE(caption, QString::fromUtf8("Save File"));
    QVERIFY2(QRegularExpression("^20\\d{12}$").match(proposed).hasMatch(), qPrintable(proposed));
    QVERIFY(QFile::exists(dir.file("plan.dat")));
    QCOMPARE(label(w, "label_FileName"), QString("plan.dat"));
}

void TestMainWindow::failedSaveReportsAndKeepsFile()
{
    ScratchDir dir;
    MainWindow w;
    const QByteArray old(kImageSize, char(0x77));
    dir.writeFile("old.dat", old);
    QFile::setPermissions(dir.file("old.dat"), QFile::ReadOwner);
    ModalCloser closer;
    w.MenuActionSaveFile(dir.file("old.dat"));
    w.MenuActionSaveFile(dir.file("no/such/folder/x.dat"));
    QCOMPARE(closer.titles.size(), 2);
    for (const QString &text : closer.texts)
        QVERIFY2(text.startsWith("Save failed"), qPrintable(text));
    QCOMPARE(fileBytes(dir.file("old.dat")), old);
    QCOMPARE(label(w, "label_FileName"), QString("default.dat"));
}

void TestMainWindow::closeSavesSettings()
{
    ScratchDir dir;
    dir.writeFile("datafile/sysset.ini", settingsWith("Chinese") + "Unknown=stay\n");
    {
        MainWindow w;
        w.show();
        Read_Write_Port = "/dev/ttyUSB7";
        w.close();
    }
    QSettings ini("datafile/sysset.ini", QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    QCOMPARE(ini.value("SYSSET/SerialNumber").toString(), QString("/dev/ttyUSB7"));
    QCOMPARE(ini.value("SYSSET/Unknown").toString(), QString("stay"));
    QCOMPARE(ini.value("SYSSET/Language").toString(), QString("Chinese"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
