#include "radioinfo_form.h"
#include "ui_radioinfo_form.h"

#include "data/datafile.h"

#include <QListView>

RADIOINFO_Form::RADIOINFO_Form(QWidget *parent, QString startBand, QString endBand,
                               ConnectCnfData_S *header)
    : QWidget(parent), ui(new Ui::RADIOINFO_Form), m_header(header)
{
    ui->setupUi(this);
    ui->comboBox_RadioModel->setStyleSheet(QStringLiteral(
        "color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);font: bold 20pt \"仿宋\";"));
    ui->comboBox_RadioModel->setFrame(false);
    ui->comboBox_RadioModel->setView(new QListView());
    ui->label_BandRang->setText(startBand + "~" + endBand + "Mhz");
}

RADIOINFO_Form::~RADIOINFO_Form()
{
    delete ui;
}

void RADIOINFO_Form::SetMacModel(QString name)
{
    ui->comboBox_RadioModel->clear();
    ui->comboBox_RadioModel->addItem(name);
}

void RADIOINFO_Form::SetBandRangText(QString text)
{
    ui->label_BandRang->setText(text);
}

void RADIOINFO_Form::UpdData()
{
    ui->comboBox_RadioModel->setCurrentIndex(0);
    ui->label_RadioVersion->setText(HeaderVersionText(*m_header));
}

void RADIOINFO_Form::GetData()
{
}

void RADIOINFO_Form::on_comboBox_RadioModel_currentTextChanged(const QString &)
{
    ui->label_RadioVersion->setText(QStringLiteral("V0.00"));
    emit sigRadioModelChange();
}
