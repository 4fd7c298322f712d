#include "radioset_form.h"
#include "ui_radioset_form.h"

#include "channels/qlineeditdelegate_inpradfreq.h"
#include "channels/tablestyle.h"
#include "settings/settingscodec.h"

#include <QHeaderView>

RADIOSET_Form::RADIOSET_Form(QWidget *parent, RadioData_S *data)
    : QWidget(parent), ui(new Ui::RADIOSET_Form), m_image(data)
{
    ui->setupUi(this);
    InitShow();
}

RADIOSET_Form::~RADIOSET_Form()
{
    delete ui;
}

void RADIOSET_Form::InitShow()
{
    const QStringList headers = {tr("收音机信道"), tr("频率(Mhz)")};
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(0);
    table->setColumnCount(headers.size());
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setColumnWidth(0, 100);
    table->setColumnWidth(1, 120);
    table->setFixedSize(250, 560);
    for (QHeaderView *header : {table->horizontalHeader(), table->verticalHeader()}) {
        header->setStyleSheet(QLatin1String(kTableHeaderStyle));
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setItemDelegateForColumn(1, new QLineEditDelegate_InpRadFreq(this, kFmLowestHz, kFmHighestHz));

    connect(table, &QTableWidget::itemChanged, this, [this]() { emit edited(tr("修改收音机频率")); });
    table->setRowCount(kFmChannels);
    for (int r = 0; r < kFmChannels; ++r) {
        table->setRowHeight(r, 30);
        auto *number = new QTableWidgetItem(QString::asprintf("%02d", r + 1));
        number->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        number->setBackground(NumberColumnBackground());
        table->setItem(r, 0, number);
        auto *freq = new QTableWidgetItem(QString());
        freq->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        table->setItem(r, 1, freq);
    }
}

void RADIOSET_Form::UpdData()
{
    for (int i = 0; i < kFmChannels; ++i)
        ui->tableWidget->item(i, 1)->setText(FmWordText(FmWord(*m_image, i)));
}

void RADIOSET_Form::GetData()
{
    QStringList texts;
    for (int i = 0; i < kFmChannels; ++i)
        texts << ui->tableWidget->item(i, 1)->text();
    StoreFmChannels(m_image, texts);
}
