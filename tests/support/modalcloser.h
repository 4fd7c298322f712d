#pragma once

#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// Closes every modal dialog that opens while it lives (message boxes,
// file dialogs) and records the title and text of each message box.
// An optional answer callback may act on a dialog before it is closed
// (e.g. type a file name into a QFileDialog and accept it); it returns
// true when it has dealt with the dialog itself.
class ModalCloser : public QObject
{
public:
    using Answer = std::function<bool(QWidget *)>;

    explicit ModalCloser(Answer answer = nullptr);

    QStringList titles;
    QStringList texts;

private:
    void poll();

    Answer m_answer;
    QTimer m_timer;
};
