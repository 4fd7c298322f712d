#pragma once

#include "data/radiodata.h"

#include <QWidget>

// FM broadcast radio page.
class RADIOSET_Form : public QWidget
{
    Q_OBJECT

public:
    RADIOSET_Form(QWidget *parent, RadioData_S *data);

    void InitShow();
    void UpdData();
    void GetData();

private:
    RadioData_S *m_image;
};
