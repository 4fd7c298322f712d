#include "imagestep.h"

ImageStep::ImageStep(const QString &text, const QByteArray &before, const QByteArray &after, int page, Show show)
    : QUndoCommand(text), m_page(page), m_show(std::move(show))
{
    for (int i = 0; i < before.size() && i < after.size();) {
        if (before.at(i) == after.at(i)) {
            ++i;
            continue;
        }
        int end = i;
        while (end < before.size() && end < after.size() && before.at(end) != after.at(end))
            ++end;
        m_runs.push_back({i, before.mid(i, end - i), after.mid(i, end - i)});
        i = end;
    }
}

QByteArray ImageStep::applied(QByteArray image, bool undo) const
{
    for (const Run &run : m_runs)
        image.replace(run.offset, run.before.size(), undo ? run.before : run.after);
    return image;
}

void ImageStep::undo()
{
    m_show(*this, true);
}

void ImageStep::redo()
{
    if (m_shown) {
        m_shown = false;
        return;
    }
    m_show(*this, false);
}
