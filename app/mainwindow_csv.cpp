// CSV channel plans of the main window: the channel page from and to a plan
// file, by the core the command-line tool uses.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "channels/channelinfo_form.h"
#include "channels/csvplan.h"
#include "data/datafile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace {

// Refused and adjusted rows shown in the box's text; all of them are in its
// detailed text when there are more.
constexpr int kShownLines = 10;

} // namespace

void MainWindow::MenuActionImportCsv(QString path)
{
    EndCellEdit();
    if (path.isEmpty()) {
        path = QFileDialog::getOpenFileName(this, tr("导入信道表"), QStringLiteral("./"), QStringLiteral("*.csv"));
        if (path.isEmpty())
            return;
    }
    const QString title = tr("[导入信道表]");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPlanFileBytes) {
        QMessageBox::about(this, title, tr("导入失败,无法读取信道表文件(%1),信道未改变!").arg(path));
        return;
    }
    const PlanImport plan = ImportChannelPlan(file.readAll(), PlanLimitsOf(m_set));
    if (!plan.error.isEmpty()) {
        QMessageBox::about(this, title, tr("导入失败,文件(%1)不是信道表,信道未改变!").arg(path) + '\n'
                                   + (plan.errorLine > 0 ? tr("第%1行:%2").arg(plan.errorLine).arg(plan.error)
                                                         : plan.error));
        return;
    }

    if (plan.channels.isEmpty()) {
        ShowPlanOutcome(title, tr("导入失败,文件(%1)中没有可导入的行,信道未改变!").arg(path), plan);
        return;
    }
    m_channels->SetRows(plan.channels);
    ui->stackedWidget->setCurrentWidget(m_channels);
    m_pendingEdit = tr("导入信道表");
    RecordEdit();
    ShowPlanOutcome(title, tr("导入完成:导入%1行,拒绝%2行,调整%3行"), plan);
}

// The outcome of an import or a paste: the headline (its %1, %2 and %3 the
// rows taken, refused and adjusted, when any were taken), then the refused
// and adjusted rows by line, the core's reasons naming the plan's columns and
// values in English as the command-line tool prints them.
void MainWindow::ShowPlanOutcome(const QString &title, const QString &headline, const PlanImport &plan)
{
    QVector<QPair<int, QString>> notes;
    for (const PlanRefusal &r : plan.refused)
        notes << qMakePair(r.line, tr("第%1行拒绝:%2").arg(r.line).arg(r.reason));
    QVector<int> snappedLines;
    for (const PlanSnap &s : plan.snapped) {
        notes << qMakePair(s.line, tr("第%1行调整:%2").arg(s.line).arg(s.change));
        if (!snappedLines.contains(s.line))
            snappedLines << s.line;
    }
    std::stable_sort(notes.begin(), notes.end(),
                     [](const QPair<int, QString> &a, const QPair<int, QString> &b) { return a.first < b.first; });
    QStringList lines;
    if (!plan.error.isEmpty())
        lines << plan.error;
    for (const auto &note : notes)
        lines << note.second;

    const QString text = plan.channels.isEmpty()
            ? headline
            : headline.arg(plan.channels.size()).arg(plan.refused.size()).arg(snappedLines.size());
    QStringList shown = QStringList(text) + lines.mid(0, kShownLines);
    if (lines.size() > kShownLines)
        shown << tr("(其余%1条见详细信息)").arg(lines.size() - kShownLines);
    QMessageBox box(QMessageBox::Information, title, shown.join('\n'), QMessageBox::Ok, this);
    if (lines.size() > kShownLines)
        box.setDetailedText(lines.join('\n'));
    box.exec();
}

void MainWindow::MenuActionExportCsv(QString path)
{
    CommitCellEditors();
    if (path.isEmpty()) {
        const QString base = QFileInfo(m_filePath).completeBaseName();
        QFileDialog dialog(this, tr("导出信道表"),
                           QStringLiteral("./") + (base.isEmpty() ? QStringLiteral("channels") : base)
                                   + QStringLiteral(".csv"),
                           QStringLiteral("*.csv"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
            return;
        path = dialog.selectedFiles().value(0);
    }
    // The rows as shown, straight from the page: the image stays as it is.
    const QVector<ChannelFields_S> rows = m_channels->Rows();
    const QString title = tr("[导出信道表]");
    if (SaveFileBytes(path, ExportChannelPlan(rows, PlanLimitsOf(m_set))) != DataFileError::None) {
        QMessageBox::about(this, title, tr("导出失败,无法写入文件(%1),原文件保持不变!").arg(path));
        return;
    }
    QMessageBox::about(this, title, tr("导出成功,%1个信道保存到文件(%2)!").arg(rows.size()).arg(path));
}
