#pragma once

#include "data/radiodata.h"

#include <QWidget>

namespace Ui {
class RADIOINFO_Form;
}

// Radio information page: model name, the version from the image header and
// the band text. Owns no bytes of the memory window.
class RADIOINFO_Form : public QWidget
{
    Q_OBJECT

public:
    RADIOINFO_Form(QWidget *parent, QString startBand, QString endBand, ConnectCnfData_S *header);
    ~RADIOINFO_Form() override;

    void SetMacModel(QString name);
    void SetBandRangText(QString text);
    void UpdData();
    void GetData();

signals:
    void sigRadioModelChange();

private slots:
    void on_comboBox_RadioModel_currentTextChanged(const QString &text);

private:
    Ui::RADIOINFO_Form *ui;
    ConnectCnfData_S *m_header;
};
