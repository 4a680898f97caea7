// The busy cursor over every window of the editor while work that may take seconds runs.
#pragma once

#include <QApplication>

class CBusyCursor {
public:
    CBusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~CBusyCursor() { QApplication::restoreOverrideCursor(); }
    CBusyCursor(const CBusyCursor&) = delete;
    CBusyCursor& operator=(const CBusyCursor&) = delete;
};
