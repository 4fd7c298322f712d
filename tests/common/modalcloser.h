#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Closes every modal dialog that opens while it lives (message boxes,
// file dialogs) and records the title and text of each message box.
// An optional answer callback may act on a dialog before it is closed
// (e.g. type a file name into a QFileDialog and accept it); it returns
// true when it has dealt with the dialog itself.
class ModalCloser : public QObject
{
public:
    using Answer = std::function<bool(QWidget *)>;

    explicit ModalCloser(Answer answer = nullptr) : m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
        m_timer.start(10);
    }

    QStringList titles;
    QStringList texts;

private:
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            titles << box->windowTitle();
            texts << box->text();
        }
        if (m_answer && m_answer(w))
            return;
        w->close();
    }

    Answer m_answer;
    QTimer m_timer;
};
