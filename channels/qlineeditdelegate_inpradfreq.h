#pragma once

#include <QItemDelegate>

// Cell editor for an FM broadcast frequency in MHz: up to 5 digits and
// points; on commit an empty text stays empty, anything else is limited to
// lowest..highest (Hz, both inclusive) and written with one decimal.
class QLineEditDelegate_InpRadFreq : public QItemDelegate
{
    Q_OBJECT

public:
    QLineEditDelegate_InpRadFreq(QObject *parent, long lowest, long highest);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const long m_lowest;
    const long m_highest;
};
