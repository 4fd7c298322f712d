#include "gui.h"

#include <QtTest>
#include <QtWidgets>

QString Label(const QWidget &w, const char *name) { return w.findChild<QLabel *>(name)->text(); }

QStringList Items(const QComboBox &combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

QWidget *OpenEditor(QTableWidget &table, int row, int column)
{
    table.editItem(table.item(row, column));
    return table.indexWidget(table.model()->index(row, column));
}

bool TypeInto(QTableWidget &table, int row, int column, const QString &keys)
{
    auto *edit = qobject_cast<QLineEdit *>(OpenEditor(table, row, column));
    if (!edit)
        return false;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCoreApplication::processEvents();   // the commit is queued
    return true;
}

bool Choose(QTableWidget &table, int row, int column, int index)
{
    auto *combo = qobject_cast<QComboBox *>(OpenEditor(table, row, column));
    if (!combo)
        return false;
    combo->setCurrentIndex(index);
    QTest::keyClick(combo, Qt::Key_Enter);
    QCoreApplication::processEvents();
    return true;
}

bool ClickButton(QWidget *dialog, const QString &text)
{
    auto *box = qobject_cast<QMessageBox *>(dialog);
    for (QAbstractButton *button : box ? box->buttons() : QList<QAbstractButton *>())
        if (button->text() == text) {
            button->click();
            return true;
        }
    return false;
}
