#include "channelinfo_form.h"
#include "ui_channelinfo_form.h"

#include "channels/qcomboboxdelegate.h"
#include "channels/qlineeditdelegate_inputfreq.h"
#include "channels/tablestyle.h"

#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTableWidgetItem>

#include <algorithm>

namespace {

const int kColumnWidths[ChannelColumnCount] = {50, 110, 110, 70, 70, 70, 95, 95, 80, 100};
const int kRowHeight = 30;
const QColor kLockedBackground(Qt::lightGray);
// Columns that restricted mode locks; scan, lockout and PTT dialling stay editable.
const int kRestrictedColumns[] = {ColRxFreq, ColTxFreq, ColBandwidth, ColPower, ColTxTone, ColRxTone};

const char kButtonStyle[] =
        "QPushButton{font-family:Microsoft Yahei;color:white;background-color:rgb(14 , 150 , 254);"
        "border-radius:10px;}QPushButton:hover{background-color:rgb(44 , 137 , 255);}"
        "QPushButton:pressed{background-color:rgb(14 , 135 , 228);padding-left:3px;padding-top:3px;}";

// Cell changes while it lives are no edits of the user's.
struct Quiet {
    explicit Quiet(int &depth) : n(depth) { ++n; }
    ~Quiet() { --n; }
    int &n;
};

QTableWidgetItem *CenteredItem(const QString &text = QString())
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

CHANNELINFO_Form::CHANNELINFO_Form(QWidget *parent, unsigned int startBand, unsigned int endBand,
                                   RadioData_S *image)
    : QWidget(parent), ui(new Ui::CHANNELINFO_Form), m_image(image),
      // The main window hands over the settings integers cast to unsigned:
      // read them back as signed so a negative band clamps to 0 Hz.
      m_bandStartHz(BandEdgeHz(static_cast<int>(startBand))),
      m_bandEndHz(BandEdgeHz(static_cast<int>(endBand)))
{
    ui->setupUi(this);
    InitShow();
}

CHANNELINFO_Form::~CHANNELINFO_Form()
{
    delete ui;
}

void CHANNELINFO_Form::InitShow()
{
    const QList<QPushButton *> buttons = {ui->pushButton_Add, ui->pushButton_Del, ui->pushButton_UpMove,
                                          ui->pushButton_DownMove};
    ui->pushButton_Add->setFocusPolicy(Qt::NoFocus);
    ui->pushButton_Del->setFocusPolicy(Qt::NoFocus);
    for (QPushButton *button : buttons)
        button->setStyleSheet(QLatin1String(kButtonStyle));

    const QStringList headers = {tr("信道"), tr("接收频率"), tr("发射频率"), tr("带宽"), tr("功率"),
                                 tr("扫描"), tr("亚音编码"), tr("亚音解码"), tr("遇忙禁发"), tr("PTT拨号")};
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(0);
    table->setColumnCount(ChannelColumnCount);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    for (int c = 0; c < ChannelColumnCount; ++c)
        table->setColumnWidth(c, kColumnWidths[c]);
    table->setFixedSize(875, 550);
    table->horizontalHeader()->setStyleSheet(QLatin1String(kTableHeaderStyle));
    table->verticalHeader()->setStyleSheet(QLatin1String(kTableHeaderStyle));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);

    // Value lists in the page's language; the tone list is built once and
    // shared by both tone columns.
    m_lists = MakeChannelValueLists([](const char *source) { return tr(source); });
    m_colLists = ChannelColumnListsOf(m_lists);
    auto *freqEditor = new QLineEditDelegate_InputFreq(this, m_bandStartHz, m_bandEndHz);
    table->setItemDelegateForColumn(ColRxFreq, freqEditor);
    table->setItemDelegateForColumn(ColTxFreq, freqEditor);
    for (int c : {ColBandwidth, ColPower, ColScan, ColBusyLock, ColPttDial})
        table->setItemDelegateForColumn(c, new QComboBoxDelegate(this, *m_colLists[c]));
    auto *toneEditor = new QComboBoxDelegate(this, m_lists.tone);
    table->setItemDelegateForColumn(ColTxTone, toneEditor);
    table->setItemDelegateForColumn(ColRxTone, toneEditor);

    AddChanRow();
    table->installEventFilter(this);
}

void CHANNELINFO_Form::UpdData()
{
    SetRows(ChannelLoadTable(*m_image, m_maxRows));
}

void CHANNELINFO_Form::GetData()
{
    ChannelStoreTable(m_image, Rows());
}

void CHANNELINFO_Form::SetRows(const QVector<ChannelFields_S> &rows)
{
    const Quiet quiet(m_quiet);
    ui->tableWidget->setRowCount(0);
    // Column 1 first: its copy into column 2 is then replaced by the
    // record's own transmit frequency.
    static const int kFillOrder[] = {ColRxFreq, ColTxFreq, ColBandwidth, ColPower, ColScan,
                                     ColBusyLock, ColPttDial, ColTxTone, ColRxTone};
    for (int i = 0; i < std::min<int>(rows.size(), m_maxRows); ++i) {
        AddChanRow();
        const QStringList texts = ChannelRowTexts(rows.at(i), i, m_colLists);
        for (int c : kFillOrder)
            ui->tableWidget->item(i, c)->setText(texts.at(c));
    }
}

QVector<ChannelFields_S> CHANNELINFO_Form::Rows() const
{
    const QTableWidget *table = ui->tableWidget;
    QVector<ChannelFields_S> rows;
    rows.reserve(table->rowCount());
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < ChannelColumnCount; ++c) {
            const QTableWidgetItem *item = table->item(r, c);
            texts << (item ? item->text() : QString());
        }
        rows << ChannelFieldsFromTexts(texts, m_colLists);
    }
    return rows;
}

QString CHANNELINFO_Form::GetTabColItemStr(quint16 column, quint16 index) const
{
    if (column >= ChannelColumnCount)
        return QString();
    return m_colLists[column]->value(index);
}

int CHANNELINFO_Form::GetTabColItemIndex(quint16 column, const QString &text) const
{
    if (column >= ChannelColumnCount)
        return -1;
    return m_colLists[column]->indexOf(text);
}

void CHANNELINFO_Form::SetChanAtt(unsigned char chanNum, unsigned char chanLimit)
{
    m_maxRows = std::min<quint16>(chanNum, kMaxChannels);
    m_editAllowed = chanLimit;
    // The row InitShow added came before these limits: hold it to them too,
    // in case no data file replaces the table.
    QTableWidget *table = ui->tableWidget;
    while (table->rowCount() > m_maxRows)
        table->removeRow(table->rowCount() - 1);
    if (m_editAllowed == 0) {
        ui->pushButton_Add->hide();
        ui->pushButton_Del->hide();
        ui->pushButton_UpMove->hide();
        ui->pushButton_DownMove->hide();
        for (int r = 0; r < table->rowCount(); ++r)
            LockRow(r);
    }
}

void CHANNELINFO_Form::LockRow(int row)
{
    // Flag and colour changes signal a cell change too; they are no new
    // receive frequency and must not overwrite the transmit frequency.
    const QSignalBlocker quiet(ui->tableWidget);
    for (int c : kRestrictedColumns) {
        QTableWidgetItem *item = ui->tableWidget->item(row, c);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setBackground(kLockedBackground);
    }
}

void CHANNELINFO_Form::AddChanRow()
{
    QTableWidget *table = ui->tableWidget;
    if (table->rowCount() >= m_maxRows)
        return;
    const Quiet quiet(m_quiet);
    const int r = table->currentRow() < 0 ? table->rowCount() : table->currentRow() + 1;
    table->insertRow(r);
    table->setRowHeight(r, kRowHeight);

    QTableWidgetItem *number = CenteredItem();
    number->setFlags(number->flags() & ~Qt::ItemIsEditable);
    number->setBackground(NumberColumnBackground());
    table->setItem(r, ColNumber, number);

    const QString freq = ChannelDefaultFreqText(m_bandStartHz, r);
    table->setItem(r, ColRxFreq, CenteredItem(freq));
    table->setItem(r, ColTxFreq, CenteredItem(freq));
    for (int c = ColBandwidth; c < ChannelColumnCount; ++c)
        table->setItem(r, c, CenteredItem(m_colLists[c]->value(0)));

    if (m_editAllowed == 0)
        LockRow(r);
    SelectChanRow(r);
    UpdateChanNum();
    if (m_quiet == 1)
        emit edited(tr("添加信道"));
}

void CHANNELINFO_Form::DelChanRow()
{
    QTableWidget *table = ui->tableWidget;
    QList<int> rows = SelectedRows();
    if (table->rowCount() < 2 || rows.isEmpty())
        return;
    if (rows.size() >= table->rowCount())
        rows.removeFirst();
    const Quiet quiet(m_quiet);
    for (int i = rows.size() - 1; i >= 0; --i)
        table->removeRow(rows.at(i));
    UpdateChanNum();
    emit edited(tr("删除信道"));
}

void CHANNELINFO_Form::ChanMoveUp()
{
    MoveSelected(-1);
}

void CHANNELINFO_Form::ChanMoveDown()
{
    MoveSelected(1);
}

// Each selected row changes places with its neighbour in the direction of
// the step, the rows nearest that end first: a block moves as one.
void CHANNELINFO_Form::MoveSelected(int step)
{
    QList<int> rows = SelectedRows();
    if (rows.isEmpty() || (step < 0 ? rows.first() <= 0 : rows.last() >= ui->tableWidget->rowCount() - 1))
        return;
    if (step > 0)
        std::reverse(rows.begin(), rows.end());
    const Quiet quiet(m_quiet);
    for (int &r : rows) {
        ChannelExchange(static_cast<quint16>(r), static_cast<quint16>(r + step));
        r += step;
    }
    std::sort(rows.begin(), rows.end());
    SelectRows(rows);
    emit edited(step < 0 ? tr("上移信道") : tr("下移信道"));
}

QList<int> CHANNELINFO_Form::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : ui->tableWidget->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty() && ui->tableWidget->currentRow() >= 0)
        rows << ui->tableWidget->currentRow();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CHANNELINFO_Form::PasteRow() const
{
    const int current = ui->tableWidget->currentRow();
    return current < 0 ? ui->tableWidget->rowCount() : current;
}

void CHANNELINFO_Form::PasteRows(const QVector<ChannelFields_S> &pasted)
{
    const int first = PasteRow();
    QVector<ChannelFields_S> rows = Rows();
    QList<int> placed;
    for (int i = 0; i < pasted.size() && first + i < m_maxRows; ++i) {
        if (first + i < rows.size())
            rows[first + i] = pasted.at(i);
        else
            rows << pasted.at(i);
        placed << first + i;
    }
    SetRows(rows);
    SelectRows(placed);
}

void CHANNELINFO_Form::SortByFrequency()
{
    const auto unset = [](const ChannelFields_S &ch) { return ch.RxFreq == 0 || ch.RxFreq == 0xFFFFFFFFu; };
    QVector<ChannelFields_S> rows = Rows();
    std::stable_sort(rows.begin(), rows.end(), [&unset](const ChannelFields_S &a, const ChannelFields_S &b) {
        return unset(a) != unset(b) ? unset(b) : !unset(a) && a.RxFreq < b.RxFreq;
    });
    SetRows(rows);
    emit edited(tr("按频率排序"));
}

void CHANNELINFO_Form::SetContextActions(const QList<QAction *> &actions)
{
    ui->tableWidget->addActions(actions);
    ui->tableWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CHANNELINFO_Form::ChannelExchange(quint16 a, quint16 b)
{
    QTableWidget *table = ui->tableWidget;
    if (a >= table->rowCount() || b >= table->rowCount())
        return;
    // The swap moves both frequencies: no receive-to-transmit copy meanwhile.
    m_copyRxToTx = false;
    for (int c = ColRxFreq; c < table->columnCount(); ++c) {
        QTableWidgetItem *itemA = table->item(a, c);
        QTableWidgetItem *itemB = table->item(b, c);
        if (!itemA || !itemB)
            continue;
        const QString textA = itemA->text();
        itemA->setText(itemB->text());
        itemB->setText(textA);
    }
    m_copyRxToTx = true;
}

void CHANNELINFO_Form::UpdateChanNum()
{
    QTableWidget *table = ui->tableWidget;
    for (int r = 0; r < table->rowCount(); ++r)
        if (QTableWidgetItem *item = table->item(r, ColNumber))
            item->setText(QString::asprintf("%02d", r + 1));
}

void CHANNELINFO_Form::SelectChanRow(int row)
{
    // Column 0 is not editable, so making it current opens no editor.
    ui->tableWidget->setCurrentCell(row, ColNumber);
}

// The first row current, all of them selected.
void CHANNELINFO_Form::SelectRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    SelectChanRow(rows.first());
    QTableWidget *table = ui->tableWidget;
    for (int r : rows)
        table->selectionModel()->select(table->model()->index(r, ColNumber),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void CHANNELINFO_Form::on_pushButton_Add_clicked()
{
    AddChanRow();
}

void CHANNELINFO_Form::on_pushButton_Del_clicked()
{
    DelChanRow();
}

void CHANNELINFO_Form::on_pushButton_UpMove_clicked()
{
    ChanMoveUp();
}

void CHANNELINFO_Form::on_pushButton_DownMove_clicked()
{
    ChanMoveDown();
}

void CHANNELINFO_Form::on_tableWidget_cellChanged(int row, int column)
{
    if (m_quiet == 0 && column != ColNumber)
        emit edited(tr("修改%1").arg(ui->tableWidget->horizontalHeaderItem(column)->text()));
    if (column != ColRxFreq || !m_copyRxToTx)
        return;
    QTableWidgetItem *tx = ui->tableWidget->item(row, ColTxFreq);
    QTableWidgetItem *rx = ui->tableWidget->item(row, ColRxFreq);
    const Quiet quiet(m_quiet);
    if (tx && rx)
        tx->setText(rx->text());
}

bool CHANNELINFO_Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->tableWidget && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_A || key == Qt::Key_D) {
            // Restricted mode: the keys do nothing, like the hidden buttons.
            if (m_editAllowed != 0)
                (key == Qt::Key_A ? ui->pushButton_Add : ui->pushButton_Del)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
