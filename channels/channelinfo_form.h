#pragma once

#include "channels/channelcodec.h"
#include "data/radiodata.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

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

    void AddChanRow();
    void DelChanRow();
    void ChanMoveUp();
    void ChanMoveDown();
    void ChannelExchange(quint16 a, quint16 b);
    void UpdateChanNum();

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
    void LockRow(int row);   // restricted mode: frequencies, bandwidth, power and tones

    Ui::CHANNELINFO_Form *ui;
    bool m_copyRxToTx = true;              // a new receive frequency is copied to transmit
    quint16 m_maxRows = kMaxChannels;      // until SetChanAtt
    quint8 m_editAllowed = 1;              // until SetChanAtt
    RadioData_S *m_image;                  // the main window's image, not owned
    qint64 m_bandStartHz;
    qint64 m_bandEndHz;                    // exclusive
    ChannelValueLists m_lists;             // built once, in the page's language
    ChannelColumnLists m_colLists{};       // per column, into m_lists
};
