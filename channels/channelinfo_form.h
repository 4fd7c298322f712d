#pragma once

#include "channels/channelcodec.h"
#include "data/radiodata.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QAction;

namespace Ui {
class CHANNELINFO_Form;
}

// Channel table page: one row per channel record, ten columns of display
// texts; UpdData() fills the table from the image, GetData() stores it back.
class CHANNELINFO_Form : public QWidget
{
    Q_OBJECT

public:
    // Band edges in MHz, as the settings integers; held in Hz.
    CHANNELINFO_Form(QWidget *parent, unsigned int startBand, unsigned int endBand, RadioData_S *image);
    ~CHANNELINFO_Form() override;

    void InitShow();
    void UpdData();
    void GetData();
    // The rows as the table holds them; the table replaced by rows (at
    // most the maximum row count). The image is not touched.
    QVector<ChannelFields_S> Rows() const;
    void SetRows(const QVector<ChannelFields_S> &rows);

    QString GetTabColItemStr(quint16 column, quint16 index) const;
    int GetTabColItemIndex(quint16 column, const QString &text) const;

    // Maximum row count (capped at the 22 records) and editing-allowed flag;
    // flag 0 is the restricted mode.
    void SetChanAtt(unsigned char chanNum, unsigned char chanLimit);

    // Row operations; Delete and the moves act on every selected row (the
    // current one when none is selected). The table keeps at least one row.
    void AddChanRow();
    void DelChanRow();
    void ChanMoveUp();
    void ChanMoveDown();
    void ChannelExchange(quint16 a, quint16 b);
    void UpdateChanNum();

    // Selected rows in ascending order, else the current row, else none.
    QList<int> SelectedRows() const;
    // Rows replace those from the current row on (appended after the last
    // row when none is current), the table growing as far as the maximum
    // row count; they are then selected.
    void PasteRows(const QVector<ChannelFields_S> &rows);
    // The first row a paste replaces.
    int PasteRow() const;
    // Stable, by receive frequency; rows without one last.
    void SortByFrequency();
    bool RowsEditable() const { return m_editAllowed != 0; }
    // The table's context menu.
    void SetContextActions(const QList<QAction *> &actions);

signals:
    // The user changed the rows: a cell or a row operation; what names the
    // step ("修改接收频率", "删除信道").
    void edited(const QString &what);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_pushButton_Add_clicked();
    void on_pushButton_Del_clicked();
    void on_pushButton_UpMove_clicked();
    void on_pushButton_DownMove_clicked();
    void on_tableWidget_cellChanged(int row, int column);

private:
    void SelectChanRow(int row);
    void SelectRows(const QList<int> &rows);
    void MoveSelected(int step);
    void LockRow(int row);   // restricted mode: frequencies, bandwidth, power and tones

    Ui::CHANNELINFO_Form *ui;
    bool m_copyRxToTx = true;              // a new receive frequency is copied to transmit
    int m_quiet = 0;                       // inside a load or row operation: no cell edits reported
    quint16 m_maxRows = kMaxChannels;      // until SetChanAtt
    quint8 m_editAllowed = 1;              // until SetChanAtt
    RadioData_S *m_image;                  // the main window's image, not owned
    qint64 m_bandStartHz;
    qint64 m_bandEndHz;                    // exclusive
    ChannelValueLists m_lists;             // built once, in the page's language
    ChannelColumnLists m_colLists{};       // per column, into m_lists
};
