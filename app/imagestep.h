#pragma once

#include <QByteArray>
#include <QUndoCommand>
#include <QVector>

#include <functional>

// One edit of the pages as the bytes of the image it changed: each run of
// changed bytes with its old and new values. Undo and redo hand the step to
// the window, which puts the old or the new bytes into what it shows.
class ImageStep : public QUndoCommand
{
public:
    struct Run {
        int offset;
        QByteArray before;
        QByteArray after;
    };
    using Show = std::function<void(const ImageStep &step, bool undo)>;

    // The edit from image `before` to `after` (same size), made on `page`;
    // the pages already show `after`.
    ImageStep(const QString &text, const QByteArray &before, const QByteArray &after, int page, Show show);

    void undo() override;
    void redo() override;

    int page() const { return m_page; }
    // The image with the runs' bytes, old ones (undo) or new ones.
    QByteArray applied(QByteArray image, bool undo) const;

private:
    QVector<Run> m_runs;
    int m_page;
    Show m_show;
    bool m_shown = true;  // pushing shows nothing: the pages made the edit
};
