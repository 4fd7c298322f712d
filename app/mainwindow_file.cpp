// Data file commands of the main window.
#include "mainwindow.h"

#include "app/platform.h"
#include "data/datafile.h"

#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>

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
    m_filePath = path;
    UpdataFilePath();
    return true;
}

void MainWindow::MenuActionSaveFile(QString path)
{
    if (path.isEmpty()) {
        const QString proposed = QStringLiteral("./")
                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
        QFileDialog dialog(this, tr("保存文件"), proposed, QStringLiteral("*.dat"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(Platform::SaveDialogDefaultSuffix());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
            return;
        path = dialog.selectedFiles().value(0);
    }
    if (path == QLatin1String(kDefaultDataFile)) {
        QMessageBox::about(this, tr("[文件保存操作]"), tr("保存失败,默认文件不允许修改,请使用另存为!"));
        return;
    }
    GetRadioData();
    if (SaveRadioDataFile(path, m_image) != DataFileError::None) {
        QMessageBox::about(this, tr("[文件保存操作]"),
                           tr("保存失败,无法写入文件(%1),原文件保持不变!").arg(path));
        return;
    }
    m_filePath = path;
    UpdataFilePath();
    QMessageBox::about(this, tr("[文件保存操作]"), tr("保存成功,数据保存到文件(") + path + ")!");
}
