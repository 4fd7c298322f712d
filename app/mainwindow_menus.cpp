// Menus, tool bar and command dispatch of the main window.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "app/desktop.h"
#include "app/platform.h"
#include "data/datafile.h"
#include "link/serial.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QToolBar>

namespace {

// Marks the actions of the port menu that stand for a port.
const char kPortEntry[] = "portEntry";
// The path of a recent-files entry.
const char kRecentFile[] = "recentFile";
// Files the recent list keeps.
constexpr int kRecentFiles = 5;

struct MenuEntry {
    const char *icon;
    const char *text;
    const char *shortcut;
    bool toolBar;
};

} // namespace

void MainWindow::CreatMenuBar()
{
    ui->menuBar->clear();

    auto addEntry = [this](QMenu *menu, const MenuEntry &e) {
        auto *action = new QAction(QIcon(QString::fromLatin1(e.icon)), tr(e.text), menu);
        action->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut), QKeySequence::NativeText));
        connect(action, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
        menu->addAction(action);
        if (e.toolBar)
            ui->mainToolBar->addAction(action);
    };

    auto *file = new QMenu(tr("  文件  "), this);
    addEntry(file, {"://new/prefix1/New.png", QT_TR_NOOP("新建"), "Ctrl+N", true});
    file->addSeparator();
    addEntry(file, {"://new/prefix1/Open.png", QT_TR_NOOP("打开"), "Ctrl+O", true});
    file->addSeparator();
    addEntry(file, {"://new/prefix1/Save.png", QT_TR_NOOP("保存"), "Ctrl+S", true});
    addEntry(file, {"://new/prefix1/SaveAs.png", QT_TR_NOOP("另存为"), "Ctrl+D", true});
    file->addSeparator();
    addEntry(file, {"", QT_TR_NOOP("导入信道表(CSV)..."), "", false});
    addEntry(file, {"", QT_TR_NOOP("导出信道表(CSV)..."), "", false});
    file->addSeparator();
    m_recent = file->addMenu(tr("最近的文件"));
    UpdataRecentMenu();
    ui->menuBar->addMenu(file);
    CreatEditMenu();

    auto *language = new QMenu(tr("  语言  "), this);
    addEntry(language, {"://new/prefix1/Chinese.png", QT_TR_NOOP("中文"), "Ctrl+C", false});
    addEntry(language, {"://new/prefix1/English.png", QT_TR_NOOP("英文"), "Ctrl+E", false});
    ui->menuBar->addMenu(language);

    auto *ports = new QMenu(tr("端口选择"), this);
    UpdataMenuComN(ports);
    ui->menuBar->addMenu(ports);

    ui->mainToolBar->addSeparator();

    auto *link = new QMenu(tr("数据通讯"), this);
    addEntry(link, {"://new/prefix1/Read.png", QT_TR_NOOP("读频通讯"), "Ctrl+R", true});
    addEntry(link, {"://new/prefix1/Write.png", QT_TR_NOOP("写频通讯"), "Ctrl+W", true});
    // Options of the transfers, remembered in the settings file.
    link->addSeparator();
    for (const auto &[text, on] : {std::pair{QT_TR_NOOP("快速通讯"), SysSetYes(m_set.FastLink)},
                                   {QT_TR_NOOP("写频后校验"), SysSetYes(m_set.VerifyWrite)}}) {
        auto *action = new QAction(tr(text), link);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
        link->addAction(action);
    }
    ui->menuBar->addMenu(link);

    auto *help = new QMenu(tr("  帮助  "), this);
    addEntry(help, {"://new/prefix1/Help.png", QT_TR_NOOP("帮助文档"), "Ctrl+H", false});
    ui->menuBar->addMenu(help);
}

void MainWindow::UpdataMenuComN(QMenu *menu)
{
    Serial serial(this, SERIALLINE_NORMAL);

    // The refresh entry is among these while its own triggered() is being
    // delivered: release them only once control is back in the event loop.
    const QList<QAction *> old = menu->actions();
    for (QAction *action : old) {
        disconnect(action, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
        menu->removeAction(action);
        action->deleteLater();
    }
    menu->clear();

    const Platform::PortMenuEntries entries =
            Platform::PortMenuEntriesFor(serial.check_serial_ports(), Read_Write_Port);
    QAction *first = nullptr;
    for (int i = 0; i < entries.names.size(); ++i) {
        auto *action = new QAction(entries.names.at(i), menu);
        action->setCheckable(true);
        action->setProperty(kPortEntry, true);
        connect(action, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
        menu->addAction(action);
        if (i == entries.checked)
            action->setChecked(true);
        if (!first)
            first = action;
    }

    menu->addSeparator();
    auto *refresh = new QAction(QIcon(QStringLiteral("://new/prefix1/Updata.png")), tr("刷新端口"), menu);
    refresh->setShortcut(QKeySequence(QStringLiteral("Ctrl+U"), QKeySequence::NativeText));
    connect(refresh, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
    menu->addAction(refresh);

    // The stored port is gone: take the first entry as if the user had.
    if (entries.checked < 0 && first)
        emit first->triggered(false);
}

void MainWindow::SlotMenuClicked()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString text = action->text();
    auto *menu = qobject_cast<QMenu *>(action->parent());
    // A command ends the cell edit in progress, as a click elsewhere would.
    EndCellEdit();

    // Both directions restart the program: the texts are fixed at start.
    auto switchLanguage = [this](const QString &language) {
        if (m_set.Language == language)
            return;
        const auto answer = QMessageBox::question(
                this, tr("[语言切换操作]"),
                tr("切换语言需要重新启动程序,未保存的修改将会丢失。现在重新启动吗?"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes || !KeepOrDropChanges())
            return;
        m_set.Language = language;
        SaveSysSet();
        QCoreApplication::quit();
        Platform::StartDetached(QCoreApplication::applicationFilePath(), QStringList(), QDir::currentPath());
    };

    if (const QString recent = action->property(kRecentFile).toString(); !recent.isEmpty()) {
        if (!QFileInfo(recent).isFile()) {
            m_set.RecentFiles.removeAll(recent);
            SaveSysSet();
            UpdataRecentMenu();
            QMessageBox::about(this, tr("[文件读取操作]"), tr("文件(%1)已不存在,已从最近的文件中移除!").arg(recent));
        } else {
            OpenNamedFile(recent);
        }
    } else if (Platform::IsPortEntry(text, action->property(kPortEntry).toBool())) {
        if (menu)
            for (QAction *entry : menu->actions())
                entry->setChecked(false);
        action->setChecked(true);
        Read_Write_Port = text;
        SaveSysSet();
    } else if (text == tr("刷新端口")) {
        if (menu)
            UpdataMenuComN(menu);
    } else if (text == tr("读频通讯")) {
        SlotRadioReadFreqOp();
    } else if (text == tr("写频通讯")) {
        SlotRadioWriteFreqOp();
    } else if (text == tr("快速通讯")) {
        m_set.FastLink = SysSetYesNo(action->isChecked());
        SaveSysSet();
    } else if (text == tr("写频后校验")) {
        m_set.VerifyWrite = SysSetYesNo(action->isChecked());
        SaveSysSet();
    } else if (text == tr("新建")) {
        if (KeepOrDropChanges())
            MenuActionOpenFile(QLatin1String(kDefaultDataFile));
    } else if (text == tr("帮助文档")) {
        CreatHelpProcess();
    } else if (text == tr("打开")) {
        if (KeepOrDropChanges())
            MenuActionOpenFile(QString());
    } else if (text == tr("保存")) {
        MenuActionSaveFile(m_filePath);
    } else if (text == tr("另存为")) {
        MenuActionSaveFile(QString());
    } else if (text == tr("导入信道表(CSV)...")) {
        MenuActionImportCsv(QString());
    } else if (text == tr("导出信道表(CSV)...")) {
        MenuActionExportCsv(QString());
    } else if (text == tr("中文")) {
        switchLanguage(QStringLiteral("Chinese"));
    } else if (text == tr("英文")) {
        switchLanguage(QStringLiteral("English"));
    }
}

void MainWindow::UpdataRecentMenu()
{
    if (!m_recent)
        return;
    // An entry may be delivering its own triggered(): released later.
    for (QAction *action : m_recent->actions()) {
        m_recent->removeAction(action);
        action->deleteLater();
    }
    for (int i = 0; i < m_set.RecentFiles.size(); ++i) {
        const QString path = m_set.RecentFiles.at(i);
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), m_recent);
        action->setProperty(kRecentFile, path);
        connect(action, &QAction::triggered, this, &MainWindow::SlotMenuClicked);
        m_recent->addAction(action);
    }
    m_recent->setEnabled(!m_set.RecentFiles.isEmpty());
}

// The delivered default file is opened at every start: it is no recent file.
void MainWindow::AddRecentFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute == QFileInfo(QLatin1String(kDefaultDataFile)).absoluteFilePath()
        || absolute == QFileInfo(m_set.FilePathDef).absoluteFilePath())
        return;
    QStringList recent = m_set.RecentFiles;
    recent.removeAll(absolute);
    recent.prepend(absolute);
    recent = recent.mid(0, kRecentFiles);
    if (recent == m_set.RecentFiles)   // the file heads the list already: nothing to save
        return;
    m_set.RecentFiles = recent;
    SaveSysSet();
    UpdataRecentMenu();
}

void MainWindow::CreatHelpProcess()
{
    const bool english = m_set.Language == QLatin1String("English");
#ifdef Q_OS_WIN
    auto *process = new QProcess(this);
    process->start(QStringLiteral("hh.exe"),
                   {english ? QStringLiteral("./datafile/help_English.chm") : QStringLiteral("./datafile/help_Chinese.chm")},
                   QIODevice::ReadWrite);
#else
    // Few Linux desktops show CHM files: the HTML pages they are made of
    // open in the browser.
    const QString page = QFileInfo(english ? QStringLiteral("./datafile/help/en/index.html")
                                           : QStringLiteral("./datafile/help/zh/index.html")).absoluteFilePath();
    if (!QFileInfo(page).isFile() || !Desktop::OpenUrl(QUrl::fromLocalFile(page)))
        QMessageBox::about(this, tr("[帮助文档]"), tr("无法打开帮助文档(%1),请安装网页浏览器!").arg(page));
#endif
}
