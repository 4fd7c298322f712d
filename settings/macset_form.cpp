#include "macset_form.h"
#include "ui_macset_form.h"

#include "channels/qlineeditdelegate.h"

#include <QHeaderView>
#include <QListView>

MACSET_Form::MACSET_Form(QWidget *parent, RadioData_S *data)
    : QWidget(parent), ui(new Ui::MACSET_Form), m_image(data)
{
    ui->setupUi(this);
    InitShow();
    // The man-down alarm is never shown; its byte still loads and stores.
    ui->label_26->hide();
    ui->comboBox_FallGroAlarm->hide();
}

MACSET_Form::~MACSET_Form()
{
    delete ui;
}

QComboBox *MACSET_Form::SettingBox(SettingId_E id) const
{
    QComboBox *const boxes[SettingCount] = {
        ui->comboBox_SqlLev, ui->comboBox_RcvScanWay, ui->comboBox_Tail,
        ui->comboBox_KeyTone, ui->comboBox_VoiType, ui->comboBox_FallGroAlarm,
        ui->comboBox_VoxLev, ui->comboBox_TotLev, ui->comboBox_PowSavLev,
        ui->comboBox_DtmEncCon, ui->comboBox_DtmEncTone,
    };
    return boxes[id];
}

QTableWidget *MACSET_Form::CodeTable(DtmfCodeId_E id) const
{
    QTableWidget *const tables[DtmfCodeCount] = {
        ui->tableWidget_DtmEncId, ui->tableWidget_DtmfMacId,
        ui->tableWidget_DtmRemHalId, ui->tableWidget_DtmKillId,
    };
    return tables[id];
}

void MACSET_Form::InitShow()
{
    for (int c = 0; c < DtmfCodeCount; ++c) {
        const DtmfCodeField_S &f = kDtmfCodeFields[c];
        QTableWidget *table = CodeTable(DtmfCodeId_E(c));
        table->setRowCount(1);
        table->setColumnCount(1);
        table->setRowHeight(0, 25);
        table->setColumnWidth(0, 150);
        table->setFixedSize(150, 25);
        table->verticalHeader()->hide();
        table->horizontalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::AllEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        auto *item = new QTableWidgetItem(QString());
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        table->setItem(0, 0, item);
        table->setItemDelegate(new QLineEditDelegate(this, f.length, QString::fromLatin1(f.chars), kDtmfMinTyped));
        connect(table, &QTableWidget::itemChanged, this, [this, f]() { emit edited(tr("修改%1").arg(tr(f.label))); });
    }

    for (int s = 0; s < SettingCount; ++s) {
        const SettingField_S &f = kSettingFields[s];
        QComboBox *box = SettingBox(SettingId_E(s));
        QStringList &items = m_itemLists[s];
        items.clear();
        box->clear();
        for (int i = 0; i < f.itemCount; ++i) {
            // Only the word items are translated; digits, times and ratios are ASCII.
            const QString text = QString::fromUtf8(f.items[i]);
            bool word = false;
            for (QChar ch : text)
                word = word || ch.unicode() > 0x7F;
            items << (word ? tr(f.items[i]) : text);
        }
        box->insertItems(box->count(), items);
        box->setView(new QListView());
        connect(box, QOverload<int>::of(&QComboBox::activated), this, [this, f]() { emit edited(tr("修改%1").arg(tr(f.label))); });
    }
}

void MACSET_Form::UpdData()
{
    for (int s = 0; s < SettingCount; ++s)
        SettingBox(SettingId_E(s))->setCurrentIndex(SettingPos(*m_image, SettingId_E(s)));
    for (int c = 0; c < DtmfCodeCount; ++c)
        CodeTable(DtmfCodeId_E(c))->item(0, 0)->setText(DtmfCode(*m_image, DtmfCodeId_E(c)));
}

void MACSET_Form::GetData()
{
    StoreSettingZeroBytes(m_image);
    for (int s = 0; s < SettingCount; ++s)
        StoreSetting(m_image, SettingId_E(s), SettingBox(SettingId_E(s))->currentIndex());
    for (int c = 0; c < DtmfCodeCount; ++c)
        StoreDtmfCode(m_image, DtmfCodeId_E(c), CodeTable(DtmfCodeId_E(c))->item(0, 0)->text());
}
