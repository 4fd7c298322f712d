#pragma once

#include "data/radiodata.h"

#include <QWidget>

#include <cstdint>

class Serial;

namespace Ui {
class COMPROCESS_Form;
}

// Progress panel of a read or write: a label and a bar, centred over its
// parent while the operation runs. Owns the operation's Serial.
class COMPROCESS_Form : public QWidget
{
    Q_OBJECT

public:
    // writeFlag 0: read panel ("读频"), otherwise write panel ("写频").
    COMPROCESS_Form(QWidget *parent, uint8_t writeFlag);
    ~COMPROCESS_Form() override;

    // Result codes of PcCpOpResult_E. The second argument is not used.
    int PcCpReadFreqOp(RadioData_S *image, uint16_t unused);
    int PcCpWriteFreqOp(RadioData_S *image, uint16_t model);
    // The read-back of a verify after write: a read labelled " 校验数据: ".
    int PcCpReadBackOp(RadioData_S *image);

    // Fast link (Serial::setFastLink) for the operations that follow.
    void SetFastLink(bool on) { m_fastLink = on; }

private:
    void SetProgress(int value);
    int Read(RadioData_S *image, const QString &label);
    Serial *NewSerial();

    Ui::COMPROCESS_Form *ui;
    Serial *m_serial = nullptr;
    bool m_fastLink = false;
};
