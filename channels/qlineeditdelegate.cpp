#include "qlineeditdelegate.h"

#include <QLineEdit>
#include <QRegExpValidator>

QLineEditDelegate::QLineEditDelegate(QObject *parent, int maxLen, QString chars, int minLen)
    : QItemDelegate(parent), m_minLen(minLen), m_maxLen(maxLen), m_chars(std::move(chars))
{
}

QWidget *QLineEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &) const
{
    auto *edit = new QLineEdit(parent);
    if (!m_chars.isEmpty()) {
        // e.g. ([0123456789]{0,4})
        const QRegExp rx(QStringLiteral("([") + m_chars + QStringLiteral("]{0,") + QString::number(m_maxLen)
                         + QStringLiteral("})"),
                         Qt::CaseSensitive);
        edit->setValidator(new QRegExpValidator(rx, edit));
    }
    return edit;
}

void QLineEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.model()->data(index, Qt::EditRole).toString());
}

void QLineEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    QString text = static_cast<QLineEdit *>(editor)->text();
    if (text.length() < m_minLen)
        text.clear();
    model->setData(index, text, Qt::EditRole);
}

void QLineEditDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
