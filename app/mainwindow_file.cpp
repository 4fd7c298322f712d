// Data file commands of the main window.
#include "mainwindow.h"

#include "app/platform.h"
#include "data/datafile.h"

#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {

// The first local .dat file among dropped URLs; empty when there is none.
QString DroppedDataFile(const QMimeData *mime)
{
    for (const QUrl &url : mime ? mime->urls() : QList<QUrl>()) {
        const QString path = url.toLocalFile();
        if (url.isLocalFile() && QFileInfo(path).suffix().compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0)
            return path;
    }
    return QString();
}

} // namespace

bool MainWindow::MenuActionOpenFile(QString path)
{
    if (path.isEmpty()) {
        path = QFileDialog::getOpenFileName(this, tr("打开文件"), QStringLiteral("./"), QStringLiteral("*.dat"));
        if (path.isEmpty())
            return false;
    }
    if (LoadRadioDataFile(path, m_model, &m_image) != DataFileError::None)
        return false;
    UpdataRadioData();
    MarkPagesKept();
    ResetHistory();
    m_filePath = path;
    UpdataFilePath();
    AddRecentFile(path);
    return true;
}

bool MainWindow::OpenNamedFile(const QString &path)
{
    EndCellEdit();
    if (m_linkBusy || !KeepOrDropChanges())
        return false;
    if (MenuActionOpenFile(path))
        return true;
    QMessageBox::about(this, tr("[文件读取操作]"),
                       tr("打开失败,文件(%1)无法读取或不是本机型的数据文件,数据未改变!").arg(path));
    return false;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_linkBusy && !DroppedDataFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = DroppedDataFile(event->mimeData());
    if (m_linkBusy || path.isEmpty())
        return;
    event->acceptProposedAction();
    // The question and the open come once the drop has ended.
    QTimer::singleShot(0, this, [this, path]() { OpenNamedFile(path); });
}

bool MainWindow::MenuActionSaveFile(QString path)
{
    if (path.isEmpty()) {
        const QString proposed = QStringLiteral("./")
                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
        QFileDialog dialog(this, tr("保存文件"), proposed, QStringLiteral("*.dat"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(Platform::SaveDialogDefaultSuffix());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
            return false;
        path = dialog.selectedFiles().value(0);
    }
    if (path == QLatin1String(kDefaultDataFile)) {
        QMessageBox::about(this, tr("[文件保存操作]"), tr("保存失败,默认文件不允许修改,请使用另存为!"));
        return false;
    }
    GetRadioData();
    if (SaveRadioDataFile(path, m_image) != DataFileError::None) {
        QMessageBox::about(this, tr("[文件保存操作]"),
                           tr("保存失败,无法写入文件(%1),原文件保持不变!").arg(path));
        return false;
    }
    MarkPagesKept();
    m_filePath = path;
    UpdataFilePath();
    AddRecentFile(path);
    QMessageBox::about(this, tr("[文件保存操作]"), tr("保存成功,数据保存到文件(") + path + ")!");
    return true;
}

// The image the pages give, as a save or write would take it; the image
// itself is left as it was.
QByteArray MainWindow::PagesImage()
{
    const RadioData_S kept = m_image;
    GetRadioData();
    const QByteArray pages(reinterpret_cast<const char *>(m_image.bytes()), kImageSize);
    m_image = kept;
    return pages;
}

void MainWindow::MarkPagesKept()
{
    m_keptPages = PagesImage();
}

// Before the pages are replaced or the window closes: true when there is
// nothing to lose, the user saved or chose to discard the changes.
bool MainWindow::KeepOrDropChanges()
{
    if (PagesImage() == m_keptPages)
        return true;
    QMessageBox box(QMessageBox::Question, tr("[文件保存操作]"), tr("保存修改?"), QMessageBox::NoButton, this);
    QPushButton *save = box.addButton(tr("保存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("不保存"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard)
        return true;
    if (box.clickedButton() != save)
        return false;
    // The delivered default file is never saved over: its changes go through
    // the dialog, as with Save As.
    return MenuActionSaveFile(m_filePath == QLatin1String(kDefaultDataFile) ? QString() : m_filePath);
}
