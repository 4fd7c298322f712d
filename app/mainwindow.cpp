#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "app/releaseinfo.h"
#include "channels/channelinfo_form.h"
#include "data/radioinfo_form.h"
#include "link/serial.h"
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include "app/platform.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <QUndoStack>

#include <cstring>

static void InitPictureResource()
{
    Q_INIT_RESOURCE(picture);
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    InitPictureResource();
    ui->setupUi(this);
    ui->treeWidget->viewport()->setCursor(Qt::ArrowCursor);

    ReadSysSet();

    m_translator = new QTranslator(this);
    if (m_set.Language == QLatin1String("English")) {
        m_translator->load(QStringLiteral("./datafile/English.qm"));
        QCoreApplication::installTranslator(m_translator);
        ui->retranslateUi(this);
    } else if (m_translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                                  QStringLiteral("_"), Platform::QtCatalogueDir())) {
        // Qt's own texts (standard buttons, file dialogs) in Chinese too.
        QCoreApplication::installTranslator(m_translator);
    }

    m_history = new QUndoStack(this);
    CreatMenuBar();

    m_radioInfo = new RADIOINFO_Form(this, m_set.StartBand, m_set.EndBand, &m_image.Header);
    m_channels = new CHANNELINFO_Form(this, static_cast<unsigned int>(SysSetInt(m_set.StartBand)),
                                      static_cast<unsigned int>(SysSetInt(m_set.EndBand)), &m_image);
    m_macSet = new MACSET_Form(this, &m_image);
    m_radioSet = new RADIOSET_Form(this, &m_image);
    // The tree's highlighted item is the page shown, whatever showed it (a
    // load, an import, a click), from the first page added on.
    connect(ui->stackedWidget, &QStackedWidget::currentChanged, this, [this](int page) {
        if (QTreeWidgetItem *top = ui->treeWidget->topLevelItem(0))
            ui->treeWidget->setCurrentItem(page > 0 ? top->child(page - 1) : top);
    });
    ui->stackedWidget->addWidget(m_radioInfo);
    ui->stackedWidget->addWidget(m_channels);
    ui->stackedWidget->addWidget(m_macSet);
    ui->stackedWidget->addWidget(m_radioSet);
    ui->stackedWidget->setCurrentIndex(0);
    connect(m_channels, &CHANNELINFO_Form::edited, this, &MainWindow::NoteEdit);
    connect(m_macSet, &MACSET_Form::edited, this, &MainWindow::NoteEdit);
    connect(m_radioSet, &RADIOSET_Form::edited, this, &MainWindow::NoteEdit);
    m_channels->SetContextActions(m_channelActions);
    connect(ui->stackedWidget, &QStackedWidget::currentChanged, this, &MainWindow::UpdataEditActions);
    setAcceptDrops(true);

    m_radioInfo->SetMacModel(m_set.SoftName);
    UpdataReleaseTime();

    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::SlotUpdataCurTime);
    SlotUpdataCurTime();

    ui->label_ReleaseCompany->setText(m_set.Language == QLatin1String("Chinese") ? m_set.ChCompName
                                                                                 : m_set.EnCompName);
    ui->label_ReleaseVersion->setText(m_set.Version);

    std::memset(m_image.bytes(), 0x00, kImageSize);

    m_channels->SetChanAtt(static_cast<unsigned char>(SysSetInt(m_set.ChanNum) & 0xFF),
                           static_cast<unsigned char>(SysSetInt(m_set.ChanLimit) & 0xFF));
    m_radioInfo->SetBandRangText(m_set.BandRangText);

    if (!MenuActionOpenFile(m_set.FilePathDef))
        QMessageBox::about(this, tr("[文件读取操作]"), tr("读取失败,默认文件数据被破坏,请另存为默认文件!"));
    MarkPagesKept();
    ResetHistory();
    UpdataEditActions();

    ui->treeWidget->expandAll();
    setWindowTitle(m_set.SoftName + " V" + m_set.Version);
}

MainWindow::~MainWindow()
{
    delete m_translator;
    delete ui;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A transfer in progress is never cut off by closing the window.
    if (m_linkBusy || !KeepOrDropChanges()) {
        event->ignore();
        return;
    }
    SaveSysSet();
    event->accept();
}

void MainWindow::ReadSysSet()
{
    m_model = ReadSysSetFile(kSysSetFile, &m_set);
    Read_Write_Port = m_set.SerialNumber;
    if (ApplyFirstRun(&m_set, SystemDefaultLocaleId()))
        SaveSysSet();
}

void MainWindow::SaveSysSet()
{
    m_set.SerialNumber = Read_Write_Port;
    SaveSysSetFile(kSysSetFile, m_set, m_model);
}

void MainWindow::UpdataReleaseTime()
{
    ui->label_ReleaseTime->setText(ReleaseTimeText(QStringLiteral(__DATE__), QStringLiteral(__TIME__)));
}

void MainWindow::SlotUpdataCurTime()
{
    ui->label_CurrentTime->setText(ClockText(QDateTime::currentDateTime()));
    m_clock->start(1000);
}

void MainWindow::UpdataFilePath()
{
    ui->label_FileName->setText(StatusFileName(m_filePath));
}

void MainWindow::UpdataRadioData()
{
    // An editor left open would later store its text into the new data.
    CommitCellEditors();
    LoadPages();
    ui->stackedWidget->setCurrentIndex(0);
    ui->treeWidget->expandAll();
}

void MainWindow::LoadPages()
{
    m_radioInfo->UpdData();
    m_channels->UpdData();
    m_macSet->UpdData();
    m_radioSet->UpdData();
}

void MainWindow::GetRadioData()
{
    CommitCellEditors();
    std::memset(m_image.bytes(), 0xFF, kImageSize);
    m_radioInfo->GetData();
    m_channels->GetData();
    m_macSet->GetData();
    m_radioSet->GetData();
}

// Ends every open cell editor of the pages as leaving the cell does: the
// delegate stores the typed text into the cell, then the editor closes. A
// shortcut or a tool bar button takes no focus, so the editor may still be
// open when a command takes or replaces the pages' data.
void MainWindow::CommitCellEditors()
{
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>()) {
        // The pages set no index widgets: a widget on the current cell is its editor.
        const QModelIndex index = view->currentIndex();
        QWidget *editor = view->indexWidget(index);
        QAbstractItemDelegate *delegate = view->itemDelegate(index);
        if (!editor || !delegate)
            continue;
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void MainWindow::on_treeWidget_itemClicked(QTreeWidgetItem *item, int column)
{
    const QStringList titles = {tr("对讲机信息"), tr("信道信息"), tr("整机设置"), tr("收音机")};
    const QString text = item->text(column);
    for (int i = 0; i < titles.size(); ++i)
        if (titles.at(i) == text)
            ui->stackedWidget->setCurrentIndex(i);
}
