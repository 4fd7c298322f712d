#include "modalcloser.h"

#include <QApplication>
#include <QMessageBox>

ModalCloser::ModalCloser(Answer answer) : m_answer(std::move(answer))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
    m_timer.start(10);
}

void ModalCloser::poll()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(w)) {
        titles << box->windowTitle();
        texts << box->text();
    }
    if (!m_answer || !m_answer(w))
        w->close();
}
