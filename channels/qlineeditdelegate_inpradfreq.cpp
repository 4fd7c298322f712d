#include "qlineeditdelegate_inpradfreq.h"

#include "settings/settingscodec.h"

#include <QLineEdit>
#include <QRegExpValidator>

QLineEditDelegate_InpRadFreq::QLineEditDelegate_InpRadFreq(QObject *parent, long lowest, long highest)
    : QItemDelegate(parent), m_lowest(lowest), m_highest(highest)
{
}

QWidget *QLineEditDelegate_InpRadFreq::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                                    const QModelIndex &) const
{
    auto *edit = new QLineEdit(parent);
    edit->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("([0123456789.]{0,5})")), edit));
    return edit;
}

void QLineEditDelegate_InpRadFreq::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.model()->data(index, Qt::EditRole).toString());
}

void QLineEditDelegate_InpRadFreq::setModelData(QWidget *editor, QAbstractItemModel *model,
                                                const QModelIndex &index) const
{
    const QString typed = static_cast<QLineEdit *>(editor)->text();
    model->setData(index, FmEditorCommitText(typed, m_lowest, m_highest), Qt::EditRole);
}

void QLineEditDelegate_InpRadFreq::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                        const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
