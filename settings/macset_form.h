#pragma once

#include "data/radiodata.h"

#include <QWidget>

// Whole-radio settings page with the DTMF settings.
class MACSET_Form : public QWidget
{
    Q_OBJECT

public:
    MACSET_Form(QWidget *parent, RadioData_S *data);

    void InitShow();
    void UpdData();
    void GetData();

private:
    RadioData_S *m_image;
};
