// Recent documents, as the File menu lists them and the profile keeps them.
#include "app/RecentFileList.h"

#include <QFileInfo>
#include <algorithm>
#include <string>

namespace {

constexpr std::string_view kSection = "Recent File List";

std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}

bool SameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    Remove(path);
    m_files.prepend(QFileInfo(path).absoluteFilePath());
    while (m_files.size() > m_capacity) {
        m_files.removeLast();
    }
}

void CRecentFileList::Remove(const QString& path) {
    m_files.removeIf([&](const QString& file) { return SameFile(file, path); });
}

void CRecentFileList::Load(CProfileAccess& profile) {
    m_files.clear();
    for (int i = 0; i < m_capacity; ++i) {
        const QString path = QString::fromStdString(profile.ReadString(kSection, KeyOf(i), ""));
        const bool repeated = std::any_of(m_files.begin(), m_files.end(), [&](const QString& file) {
            return SameFile(file, path);
        });
        if (!path.isEmpty() && !repeated) {
            m_files.append(path);
        }
    }
}

void CRecentFileList::Save(CProfileAccess& profile) const {
    for (int i = 0; i < m_capacity; ++i) {
        profile.WriteString(kSection, KeyOf(i), i < m_files.size() ? m_files[i].toStdString() : "");
    }
}
