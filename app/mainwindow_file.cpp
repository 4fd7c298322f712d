// Data file commands of the main window.
#include "mainwindow.h"

#include "app/platform.h"
#include "data/datafile.h"

#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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
    m_filePath = path;
    UpdataFilePath();
    return true;
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
