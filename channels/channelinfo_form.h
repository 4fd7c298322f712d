#pragma once

#include "data/radiodata.h"

#include <QWidget>

// Channel table page.
class CHANNELINFO_Form : public QWidget
{
    Q_OBJECT

public:
    CHANNELINFO_Form(QWidget *parent, unsigned int startBand, unsigned int endBand, RadioData_S *image);

    void InitShow();
    void UpdData();
    void GetData();
    void SetChanAtt(unsigned char chanNum, unsigned char chanLimit);

private:
    RadioData_S *m_image;
};
