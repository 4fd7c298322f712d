#pragma once

#include <QItemDelegate>

// Cell editor for a channel frequency in MHz: up to ten digits and points;
// on commit the value is clamped to [band start, band end) and snapped to
// the 5 kHz / 6.25 kHz raster, shown with six decimals.
class QLineEditDelegate_InputFreq : public QItemDelegate
{
    Q_OBJECT

public:
    QLineEditDelegate_InputFreq(QObject *parent, long bandStart, long bandEnd);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const long m_bandStart;   // Hz
    const long m_bandEnd;     // Hz, exclusive
};
