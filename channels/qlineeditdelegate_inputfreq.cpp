#include "qlineeditdelegate_inputfreq.h"

#include "channels/channelcodec.h"

#include <QLineEdit>
#include <QRegExpValidator>

QLineEditDelegate_InputFreq::QLineEditDelegate_InputFreq(QObject *parent, long bandStart, long bandEnd)
    : QItemDelegate(parent), m_bandStart(bandStart), m_bandEnd(bandEnd)
{
}

QWidget *QLineEditDelegate_InputFreq::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                                   const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("([0123456789.]{0,10})")), editor));
    return editor;
}

void QLineEditDelegate_InputFreq::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->setText(index.model()->data(index, Qt::EditRole).toString());
}

void QLineEditDelegate_InputFreq::setModelData(QWidget *editor, QAbstractItemModel *model,
                                               const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    const qint64 hz = ChannelFreqFromEditorText(edit->text(), m_bandStart, m_bandEnd);
    model->setData(index, ChannelFreqEditorText(hz), Qt::EditRole);
}

void QLineEditDelegate_InputFreq::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                       const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
