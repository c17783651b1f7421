#pragma once

#include <Qt>

// Shows a cursor for the lifetime of the object and restores the previous one afterwards,
// also when the guarded work fails. Qt::ArrowCursor (the default cursor) shows nothing; so
// does a program without a graphical application object.
class KvBusyCursor
{
public:
    explicit KvBusyCursor(Qt::CursorShape shape = Qt::WaitCursor);
    ~KvBusyCursor();
    KvBusyCursor(const KvBusyCursor &) = delete;
    KvBusyCursor &operator=(const KvBusyCursor &) = delete;

    // The shape shown now by the application, Qt::ArrowCursor when none is set.
    static Qt::CursorShape currentShape();

private:
    bool m_shown = false;
};
