#include "qcomboboxdelegate.h"

#include <QComboBox>

QComboBoxDelegate::QComboBoxDelegate(QObject *parent, const QStringList &items)
    : QItemDelegate(parent), m_items(items)
{
}

QWidget *QComboBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &) const
{
    auto *editor = new QComboBox(parent);
    editor->setFrame(false);
    editor->setStyleSheet(QStringLiteral(
            "color: rgb(0, 0, 0);background-color: rgb(255, 255, 255);font: 11pt \"微软雅黑\";"));
    editor->addItems(m_items);
    return editor;
}

void QComboBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // A text that is not an item leaves nothing selected.
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(m_items.indexOf(index.model()->data(index, Qt::EditRole).toString()));
}

void QComboBoxDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        model->setData(index, combo->currentText(), Qt::EditRole);
}

void QComboBoxDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
