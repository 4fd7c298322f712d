// Read and write operations of the main window.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "link/comprocess_form.h"
#include "link/transfer.h"

#include <QMessageBox>

void MainWindow::SlotRadioReadFreqOp()
{
    if (m_linkBusy)
        return;
    ui->treeWidget->setFocus(Qt::OtherFocusReason);
    CommitCellEditors();
    if (!KeepOrDropChanges())
        return;

    m_linkBusy = true;
    setEnabled(false);
    auto *panel = new COMPROCESS_Form(this, 0);
    panel->SetFastLink(SysSetYes(m_set.FastLink));
    panel->show();
    // The radio's data goes to a copy first: a read that fails half way
    // leaves the image that writes and saves start from as it was.
    RadioData_S received = m_image;
    const int code = panel->PcCpReadFreqOp(&received, 0);
    delete panel;
    setEnabled(true);
    m_linkBusy = false;

    const QString title = tr("[读频操作]");
    switch (code) {
    case PCCPOP_OK:
        m_image = received;
        UpdataRadioData();
        MarkPagesKept();
        ResetHistory();
        QMessageBox::about(this, title, tr("读取数据成功!"));
        break;
    case PCCPOP_PORT_FAIL:
        QMessageBox::about(this, title, tr("串口打开失败,请刷新重新选择!"));
        break;
    case PCCPOP_WRONG_MODEL:
        QMessageBox::about(this, title, tr("读取数据失败,非法机型!"));
        break;
    default:
        QMessageBox::about(this, title, tr("读取数据失败,请检查连接线路!"));
        break;
    }
}

void MainWindow::SlotRadioWriteFreqOp()
{
    if (m_linkBusy)
        return;
    ui->treeWidget->setFocus(Qt::OtherFocusReason);
    GetRadioData();

    m_linkBusy = true;
    setEnabled(false);
    auto *panel = new COMPROCESS_Form(this, 1);
    panel->SetFastLink(SysSetYes(m_set.FastLink));
    panel->show();
    const int code = panel->PcCpWriteFreqOp(&m_image, m_model);
    // Verify after write: the radio's window, read into a copy, must equal
    // what was sent; the image and the pages stay as they are.
    int readBack = PCCPOP_OK, differs = -1;
    RadioData_S radio{};
    if (code == PCCPOP_OK && SysSetYes(m_set.VerifyWrite)) {
        readBack = panel->PcCpReadBackOp(&radio);
        if (readBack == PCCPOP_OK)
            differs = FirstWindowDifference(radio, m_image);
    }
    delete panel;
    setEnabled(true);
    m_linkBusy = false;

    const QString title = tr("[写频操作]");
    switch (code) {
    case PCCPOP_OK:
        if (readBack != PCCPOP_OK) {
            QMessageBox::about(this, title, tr("写入数据完成,但校验读取失败,请检查连接线路!"));
        } else if (differs >= 0) {
            QMessageBox::about(this, title, tr("写频校验失败,对讲机地址0x%1的数据为%2,应为%3!")
                                                    .arg(QString::asprintf("%04X", OffsetToRadioAddr(differs)),
                                                         QString::asprintf("%02X", radio.at(differs)),
                                                         QString::asprintf("%02X", m_image.at(differs))));
        } else {
            MarkPagesKept();   // the radio holds the pages
            QMessageBox::about(this, title, tr("写入数据成功!"));
        }
        break;
    case PCCPOP_PORT_FAIL:
        QMessageBox::about(this, title, tr("串口打开失败,请刷新重新选择!"));
        break;
    case PCCPOP_WRONG_MODEL:
        QMessageBox::about(this, title, tr("写入数据失败,机型错误!"));
        break;
    default:
        QMessageBox::about(this, title, tr("写入数据失败,请检查连接线路!"));
        break;
    }
}
