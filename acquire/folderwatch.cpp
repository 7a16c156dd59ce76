#include "acquire/folderwatch.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

FileLook lookAt(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {};
    return {true, info.size(), info.lastModified()};
}

QStringList pictureNames(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")});
    // Without QDir::CaseSensitive the mask matches ".JPG", ".jpg" and ".Jpg" alike.
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

FolderWatch::FolderWatch(Sleep sleep) : m_sleep(std::move(sleep)) {}

void FolderWatch::setFolder(const QString &folder)
{
    m_folder = folder;
    m_known.clear();
    m_unsettled.clear();
}

int FolderWatch::prime()
{
    for (const QString &name : pictureNames(m_folder))
        if (!m_known.contains(name))
            m_known << name;
    return int(m_known.size()) - 1;
}

bool FolderWatch::forget(const QString &name)
{
    return m_known.removeOne(name);
}

FolderWatch::Tick FolderWatch::tick(int saveLagMs)
{
    Tick tick;
    if (m_tag == 1) {
        m_tag = 0;
        return tick;
    }
    m_tag = 1;
    tick.listed = pictureNames(m_folder);
    // Names that were not complete last time and are gone now are no longer waited for.
    m_unsettled.removeIf([&](const QString &name) { return !tick.listed.contains(name); });

    QString candidate;
    for (const QString &name : std::as_const(tick.listed)) {
        if (!m_known.contains(name) && !m_unsettled.contains(name)) {
            candidate = name;
            break;
        }
    }
    if (candidate.isEmpty() && !m_unsettled.isEmpty())
        candidate = m_unsettled.takeFirst();
    if (candidate.isEmpty()) {
        tick.outcome = Tick::Outcome::NothingNew;
        return tick;
    }

    tick.name = candidate;
    tick.path = QDir(m_folder).filePath(candidate);
    m_sleep(std::max(saveLagMs, 0));
    if (!settled(tick.path)) {
        m_unsettled.removeOne(candidate);
        m_unsettled << candidate;
        tick.outcome = Tick::Outcome::Unsettled;
        return tick;
    }
    m_unsettled.removeOne(candidate);
    m_known << candidate;
    tick.outcome = Tick::Outcome::NewFile;
    return tick;
}

bool FolderWatch::settled(const QString &path)
{
    FileLook before = lookAt(path);
    for (int look = 0; look < SettleLooks; ++look) {
        m_sleep(SettleMs);
        const FileLook now = lookAt(path);
        if (now.exists && now.size > 0 && now == before)
            return true;
        before = now;
    }
    return false;
}
