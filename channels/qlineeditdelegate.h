#pragma once

#include <QItemDelegate>
#include <QString>

// Cell editor for codes: a line edit that accepts up to maxLen of the allowed
// characters (case-sensitive; no limit when none are given). A committed text
// shorter than minLen becomes empty.
class QLineEditDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    QLineEditDelegate(QObject *parent, int maxLen, QString chars, int minLen);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const int m_minLen;
    const int m_maxLen;
    const QString m_chars;
};
