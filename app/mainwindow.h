#pragma once

#include "app/sysset.h"
#include "data/radiodata.h"

#include <QByteArray>
#include <QMainWindow>
#include <QString>

class QMenu;
class QTimer;
class QTranslator;
class QTreeWidgetItem;
class RADIOINFO_Form;
class CHANNELINFO_Form;
class MACSET_Form;
class RADIOSET_Form;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void ReadSysSet();
    void SaveSysSet();
    void CreatMenuBar();
    void UpdataMenuComN(QMenu *menu);
    void CreatHelpProcess();
    void UpdataReleaseTime();
    void UpdataFilePath();
    void UpdataRadioData();
    void GetRadioData();
    void CommitCellEditors();
    bool MenuActionOpenFile(QString path);
    bool MenuActionSaveFile(QString path);
    QByteArray PagesImage();
    void MarkPagesKept();
    bool KeepOrDropChanges();
    // The channel page from a CSV plan and to one; an empty path asks for it.
    void MenuActionImportCsv(QString path);
    void MenuActionExportCsv(QString path);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void SlotRadioWriteFreqOp();
    void SlotRadioReadFreqOp();
    void SlotUpdataCurTime();
    void SlotMenuClicked();
    void on_treeWidget_itemClicked(QTreeWidgetItem *item, int column);

private:
    friend class MainWindowProbe;   // tests

    Ui::MainWindow *ui;
    SysSet_S m_set;                 // the settings texts, one per key
    uint16_t m_model = 0;
    QString m_filePath;             // current data file
    QTimer *m_clock = nullptr;
    QTranslator *m_translator = nullptr;
    RadioData_S m_image{};
    QByteArray m_keptPages;         // PagesImage() as last loaded, saved, read or written
    RADIOINFO_Form *m_radioInfo = nullptr;
    CHANNELINFO_Form *m_channels = nullptr;
    MACSET_Form *m_macSet = nullptr;
    RADIOSET_Form *m_radioSet = nullptr;
    bool m_linkBusy = false;        // a read or write is running
};
