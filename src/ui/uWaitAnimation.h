#pragma once

#include <QIcon>
#include <QWidget>

class QTimer;

// The busy window's animation: a turning ring of dots around the symbol of the running
// operation (find folder, find file, find computer, copy files, copy file, recycle file,
// empty recycle bin, delete file). Kind 0 stops it.
class TWaitAnimation : public QWidget
{
    Q_OBJECT
public:
    enum Kind {
        None = 0,
        FindFolder,
        FindFile,
        FindComputer,
        CopyFiles,
        CopyFile,
        RecycleFile,
        EmptyRecycle,
        DeleteFile
    };

    explicit TWaitAnimation(QWidget *parent = nullptr);

    int kind() const { return m_kind; }
    // 0 stops and clears the symbol; 1 to 8 start with the matching symbol; other values are
    // ignored.
    void setKind(int kind);
    // The plain ring without a symbol, for the busy window's own turning image.
    void start();
    void stop();
    bool isRunning() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon symbolFor(int kind) const;

    QTimer *m_timer = nullptr;
    QIcon m_symbol;
    int m_kind = None;
    int m_step = 0;
};
