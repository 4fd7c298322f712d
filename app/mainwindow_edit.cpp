// Edit menu of the main window: undo and redo of every change of the pages,
// channel rows through the clipboard, sorting.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "app/imagestep.h"
#include "channels/channelinfo_form.h"
#include "channels/csvplan.h"
#include "data/radioinfo_form.h"
#include "settings/macset_form.h"
#include "settings/radioset_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUndoStack>

#include <cstring>

namespace {

QList<QKeySequence> Keys(std::initializer_list<const char *> keys)
{
    QList<QKeySequence> sequences;
    for (const char *k : keys)
        sequences << QKeySequence(QString::fromLatin1(k), QKeySequence::NativeText);
    return sequences;
}

} // namespace

void MainWindow::CreatEditMenu()
{
    auto *edit = new QMenu(tr("  编辑  "), this);
    m_undo = edit->addAction(tr("撤销"), this, &MainWindow::Undo);
    m_undo->setShortcuts(Keys({"Ctrl+Z"}));
    m_redo = edit->addAction(tr("重做"), this, &MainWindow::Redo);
    m_redo->setShortcuts(Keys({"Ctrl+Y", "Ctrl+Shift+Z"}));
    edit->addSeparator();
    // Ctrl+C is taken by the language switch: Ctrl+Insert copies.
    const struct {
        const char *text;
        void (MainWindow::*slot)();
        std::initializer_list<const char *> keys;
    } rows[] = {{QT_TR_NOOP("复制信道"), &MainWindow::CopyChannels, {"Ctrl+Ins"}},
                {QT_TR_NOOP("剪切信道"), &MainWindow::CutChannels, {"Ctrl+X", "Shift+Del"}},
                {QT_TR_NOOP("粘贴信道"), &MainWindow::PasteChannels, {"Ctrl+V", "Shift+Ins"}},
                {QT_TR_NOOP("删除信道"), &MainWindow::DeleteChannels, {"Del"}}};
    m_channelActions.clear();
    for (const auto &row : rows) {
        QAction *action = edit->addAction(tr(row.text), this, row.slot);
        action->setShortcuts(Keys(row.keys));
        m_channelActions << action;
    }
    edit->addSeparator();
    edit->addAction(tr("按频率排序"), this, &MainWindow::SortChannels);
    ui->menuBar->addMenu(edit);

    connect(m_history, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled);
    connect(m_history, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    // The stack outlives the window's own part of its destruction and signals
    // as it clears: the entries' texts must not need the window.
    for (const auto &[action, word] : {std::pair{m_undo, tr("撤销")}, {m_redo, tr("重做")}}) {
        const auto named = [action = action, word = word](const QString &step) {
            action->setText(step.isEmpty() ? word : word + QLatin1Char(' ') + step);
        };
        connect(m_history, action == m_undo ? &QUndoStack::undoTextChanged : &QUndoStack::redoTextChanged, action,
                named);
    }
    m_undo->setEnabled(m_history->canUndo());
    m_redo->setEnabled(m_history->canRedo());
}

// Copy, cut, paste and delete act on the selected rows of the channel page
// and only while it is shown; a restricted table only copies.
void MainWindow::UpdataEditActions()
{
    for (QAction *action : m_channelActions)
        action->setEnabled(ChannelRowsAt(action != m_channelActions.first()));
}

// Whether the channel page is shown and, for a change, editable; an action
// may be triggered greyed.
bool MainWindow::ChannelRowsAt(bool change) const
{
    return m_channels && ui->stackedWidget->currentWidget() == m_channels && (!change || m_channels->RowsEditable());
}

// The pages changed what `what` names; the step is taken once the change is
// complete (a receive frequency also copied to transmit), or at once by the
// next command.
void MainWindow::NoteEdit(const QString &what)
{
    if (m_pendingEdit.isEmpty()) {
        m_pendingEdit = what;
        QTimer::singleShot(0, this, &MainWindow::RecordEdit);
    }
}

void MainWindow::RecordEdit()
{
    if (m_recording || m_shownImage.isEmpty())   // pages not made yet, or inside a step
        return;
    m_recording = true;
    const QByteArray now = PagesImage();
    if (now != m_shownImage) {
        m_history->push(new ImageStep(m_pendingEdit, m_shownImage, now, ui->stackedWidget->currentIndex(),
                                      [this](const ImageStep &step, bool undo) { ShowStep(step, undo); }));
        m_shownImage = now;
    }
    m_pendingEdit.clear();
    m_recording = false;
}

// Before a command: the open cell editor's text is stored, and the edits so
// far are a step of their own.
void MainWindow::EndCellEdit()
{
    CommitCellEditors();
    RecordEdit();
}

void MainWindow::ResetHistory()
{
    m_history->clear();
    m_shownImage = PagesImage();
    m_pendingEdit.clear();
}

// The pages show the image with the step's old or new bytes, on the page the
// step was made on.
void MainWindow::ShowStep(const ImageStep &step, bool undo)
{
    const QByteArray image = step.applied(m_shownImage, undo);
    std::memcpy(m_image.bytes(), image.constData(), kImageSize);
    LoadPages();
    ui->stackedWidget->setCurrentIndex(step.page());
    m_shownImage = PagesImage();
    m_pendingEdit.clear();
}

void MainWindow::Undo()
{
    if (m_linkBusy)
        return;
    EndCellEdit();
    m_history->undo();
}

void MainWindow::Redo()
{
    if (m_linkBusy)
        return;
    EndCellEdit();
    m_history->redo();
}

void MainWindow::CopyChannels()
{
    if (!ChannelRowsAt(false))
        return;
    EndCellEdit();
    const QVector<ChannelFields_S> all = m_channels->Rows();
    QVector<ChannelFields_S> rows;
    for (int r : m_channels->SelectedRows())
        rows << all.value(r);
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(ChannelPlanClipboardText(rows, PlanLimitsOf(m_set)));
}

void MainWindow::CutChannels()
{
    if (!ChannelRowsAt(true))
        return;
    CopyChannels();
    m_pendingEdit = tr("剪切信道");
    m_channels->DelChanRow();
    RecordEdit();
}

void MainWindow::DeleteChannels()
{
    if (!ChannelRowsAt(true))
        return;
    EndCellEdit();
    m_channels->DelChanRow();
    RecordEdit();
}

// Pasted rows replace those from the current row on, with the rules and the
// summary of a CSV import.
void MainWindow::PasteChannels()
{
    if (!ChannelRowsAt(true))
        return;
    EndCellEdit();
    PlanLimits limits = PlanLimitsOf(m_set);
    limits.firstRow = m_channels->PasteRow();
    const PlanImport plan = PasteChannelPlan(QApplication::clipboard()->text(), limits);
    const QString title = tr("[粘贴信道]");
    if (plan.channels.isEmpty()) {
        ShowPlanOutcome(title, tr("粘贴失败,剪贴板中没有可粘贴的信道行,信道未改变!"), plan);
        return;
    }
    m_pendingEdit = tr("粘贴信道");
    m_channels->PasteRows(plan.channels);
    RecordEdit();
    ShowPlanOutcome(title, tr("粘贴完成:粘贴%1行,拒绝%2行,调整%3行"), plan);
}

void MainWindow::SortChannels()
{
    if (!m_channels->RowsEditable())
        return;
    EndCellEdit();
    ui->stackedWidget->setCurrentWidget(m_channels);
    m_channels->SortByFrequency();
    RecordEdit();
}
