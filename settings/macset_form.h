#pragma once

#include "data/radiodata.h"
#include "settings/settingscodec.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QTableWidget;

namespace Ui {
class MACSET_Form;
}

// Whole-radio settings page with the DTMF settings: eleven option lists and
// four one-cell code tables.
class MACSET_Form : public QWidget
{
    Q_OBJECT

public:
    MACSET_Form(QWidget *parent, RadioData_S *data);
    ~MACSET_Form() override;

    void InitShow();
    void UpdData();
    void GetData();

signals:
    // The user chose an item or changed a code; what names the step.
    void edited(const QString &what);

private:
    QComboBox *SettingBox(SettingId_E id) const;
    QTableWidget *CodeTable(DtmfCodeId_E id) const;

    Ui::MACSET_Form *ui;
    RadioData_S *m_image;
    // Items of each drop-down list in code order, indexed by SettingId_E:
    // squelch level, scan mode, tail elimination, 1750 Hz tone, voice type,
    // man-down alarm, VOX level, time-out, battery save, PTT ID send
    // condition, DTMF sidetone.
    QStringList m_itemLists[SettingCount];
};
