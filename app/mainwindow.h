#pragma once

#include "app/sysset.h"
#include "data/radiodata.h"

#include <QByteArray>
#include <QMainWindow>
#include <QString>

class ImageStep;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QTimer;
class QUndoStack;
struct PlanImport;
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
    void LoadPages();   // every page from the image, the page shown kept
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

    // A data file named by the desktop (command line, drop, recent list):
    // through the unsaved-changes question; a file that cannot be opened is
    // named in a message and the pages stay as they were.
    bool OpenNamedFile(const QString &path);

    // Edit history: every change of the pages' bytes is one undo step.
    void NoteEdit(const QString &what);
    void RecordEdit();
    void EndCellEdit();
    void ResetHistory();
    void Undo();
    void Redo();
    // Channel rows through the clipboard, as CSV plan text.
    void CopyChannels();
    void CutChannels();
    void PasteChannels();
    void DeleteChannels();
    void SortChannels();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void SlotRadioWriteFreqOp();
    void SlotRadioReadFreqOp();
    void SlotUpdataCurTime();
    void SlotMenuClicked();
    void on_treeWidget_itemClicked(QTreeWidgetItem *item, int column);

private:
    friend class MainWindowProbe;   // tests

    void CreatEditMenu();
    void UpdataEditActions();
    bool ChannelRowsAt(bool change) const;
    void UpdataRecentMenu();
    void AddRecentFile(const QString &path);
    void ShowStep(const ImageStep &step, bool undo);
    void ShowPlanOutcome(const QString &title, const QString &text, const PlanImport &plan);

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
    QUndoStack *m_history = nullptr;
    QByteArray m_shownImage;        // PagesImage() as the last step left it
    QString m_pendingEdit;          // name of the edit waiting for RecordEdit()
    bool m_recording = false;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QList<QAction *> m_channelActions;   // copy, cut, paste, delete: channel page only
    QMenu *m_recent = nullptr;
};
