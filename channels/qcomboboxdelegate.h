#pragma once

#include <QItemDelegate>
#include <QStringList>

// Cell editor choosing one of a fixed list of texts.
class QComboBoxDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    QComboBoxDelegate(QObject *parent, const QStringList &items);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const QStringList m_items;
};
