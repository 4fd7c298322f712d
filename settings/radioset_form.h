#pragma once

#include "data/radiodata.h"

#include <QWidget>

namespace Ui {
class RADIOSET_Form;
}

// FM broadcast radio page: 16 preset frequencies in a two-column table.
class RADIOSET_Form : public QWidget
{
    Q_OBJECT

public:
    RADIOSET_Form(QWidget *parent, RadioData_S *data);
    ~RADIOSET_Form() override;

    void InitShow();
    void UpdData();
    void GetData();

signals:
    // The user changed a preset frequency; what names the step.
    void edited(const QString &what);

private:
    Ui::RADIOSET_Form *ui;
    RadioData_S *m_image;
};
