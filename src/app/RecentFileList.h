// The list of recently used documents, newest first, kept in the profile.
#pragma once

#include "app/ProfileAccess.h"

#include <QStringList>

class CRecentFileList {
public:
    explicit CRecentFileList(int capacity = 5) : m_capacity(capacity) {}

    // Puts the path first, removing an older entry of the same file and the oldest overflow.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }
    int Capacity() const { return m_capacity; }

    // Entries that are empty or repeat an earlier one are skipped.
    void Load(CProfileAccess& profile);
    void Save(CProfileAccess& profile) const;

private:
    int m_capacity = 5;
    QStringList m_files;
};
