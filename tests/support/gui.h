#pragma once

#include <QStringList>

class QComboBox;
class QTableWidget;
class QWidget;

// The text of the QLabel named `name` inside `w`.
QString Label(const QWidget &w, const char *name);
// Every item of a combo box, in order.
QStringList Items(const QComboBox &combo);

// A table cell's editor, opened as by a double click.
QWidget *OpenEditor(QTableWidget &table, int row, int column);
// Replaces the text of a cell's line editor by typing and commits with Enter;
// false when the cell has no line editor.
bool TypeInto(QTableWidget &table, int row, int column, const QString &keys);
// Chooses item `index` in a cell's combo box editor and commits with Enter.
bool Choose(QTableWidget &table, int row, int column, int index);
// Clicks the button of a message box that bears this text; false when the
// dialog is no message box or has no such button.
bool ClickButton(QWidget *dialog, const QString &text);
