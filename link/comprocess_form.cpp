#include "comprocess_form.h"
#include "ui_comprocess_form.h"

#include "link/serial.h"
#include "link/transfer.h"

COMPROCESS_Form::COMPROCESS_Form(QWidget *parent, uint8_t writeFlag)
    : QWidget(parent), ui(new Ui::COMPROCESS_Form)
{
    ui->setupUi(this);
    setWindowTitle(writeFlag == 0 ? tr("读频") : tr("写频"));
    if (parent)
        move((parent->width() - width()) / 2, (parent->height() - height()) / 2);
    ui->progressBar->setValue(0);
}

COMPROCESS_Form::~COMPROCESS_Form()
{
    delete ui;
}

void COMPROCESS_Form::SetProgress(int value)
{
    ui->progressBar->setValue(value);
}

// A Serial per operation: a fast link that fell back is fast again in the next.
Serial *COMPROCESS_Form::NewSerial()
{
    delete m_serial;
    m_serial = new Serial(this, SERIALLINE_NORMAL);
    m_serial->setFastLink(m_fastLink);
    return m_serial;
}

int COMPROCESS_Form::Read(RadioData_S *image, const QString &label)
{
    ui->label->setText(label);
    ui->progressBar->setValue(0);
    return PcCpReadSequence(NewSerial(), image, [this](int value) { SetProgress(value); });
}

int COMPROCESS_Form::PcCpReadFreqOp(RadioData_S *image, uint16_t)
{
    return Read(image, tr(" 读取数据: "));
}

int COMPROCESS_Form::PcCpReadBackOp(RadioData_S *image)
{
    return Read(image, tr(" 校验数据: "));
}

int COMPROCESS_Form::PcCpWriteFreqOp(RadioData_S *image, uint16_t model)
{
    ui->label->setText(tr(" 写入数据: "));
    ui->progressBar->setValue(0);
    return PcCpWriteSequence(NewSerial(), image, model, [this](int value) { SetProgress(value); });
}
