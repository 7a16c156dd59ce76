#pragma once

#include <functional>

#include <QDateTime>
#include <QString>
#include <QStringList>

// What a look at a file finds; two equal looks a moment apart mean nobody is writing it.
struct FileLook {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    friend bool operator==(const FileLook &, const FileLook &) = default;
};

[[nodiscard]] FileLook lookAt(const QString &path);

// The picture files of folder as the file list shows them: plain files (no hidden ones) whose
// names end in ".BMP" or ".JPG" in any letter case, as the mask "*.BMP;*.JPG" matches on the
// system the stations came from, sorted by name ignoring case. Empty when the folder is missing.
[[nodiscard]] QStringList pictureNames(const QString &folder);

// The watched picture folder, without a window: the names already seen (ListBox1), the timer tick's
// two-step alternation and the check that a new file is complete before it is read.
//
// Each scan takes two ticks: one empties the file list, the next re-reads the folder and walks it
// in order. The first name not seen yet is the new file; the watch waits the save delay, then looks
// at it until two looks SettleMs apart agree (and it is not empty), at most SettleLooks times. Only
// then is the name remembered and the file handed over to be loaded. A file that does not settle
// stays unseen and is tried again at the next scan, after the other new files, so one that never
// settles holds none of them up. Names are compared case-sensitively.
//
// Waiting goes through `sleep` (plain sleeps on the caller's thread in the program), so a test can
// write into a file while the watch waits.
class FolderWatch {
public:
    using Sleep = std::function<void(int milliseconds)>;

    static constexpr int SettleMs = 250;
    static constexpr int SettleLooks = 4;

    explicit FolderWatch(Sleep sleep);

    [[nodiscard]] const QString &folder() const { return m_folder; }
    // Another folder: every file in it counts as new.
    void setFolder(const QString &folder);

    // The names already seen, in the order first seen (ListBox1).
    [[nodiscard]] const QStringList &known() const { return m_known; }
    // Files present at start-up are not new: every picture name now in the folder becomes known.
    // Returns the index of the last known name (-1 when none), which the window shows.
    int prime();
    // "Delete": the name counts as new again. False when it was not known.
    bool forget(const QString &name);

    // The watch timer's tag: 1 after a tick that read the folder.
    [[nodiscard]] int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    struct Tick {
        enum class Outcome {
            Emptied,     // the half of the scan that empties the file list
            NothingNew,  // the folder was read; every picture was known
            NewFile,     // `name` is complete and now known: load `path`
            Unsettled,   // `name` was still being written (or vanished); it stays unseen
        };
        Outcome outcome = Outcome::Emptied;
        QString name;
        QString path;
        QStringList listed;  // the folder's picture names when it was read
    };
    // One tick of the watch timer, with the save delay in milliseconds (edSaveLag).
    [[nodiscard]] Tick tick(int saveLagMs);

private:
    [[nodiscard]] bool settled(const QString &path);

    Sleep m_sleep;
    QString m_folder;
    QStringList m_known;
    QStringList m_unsettled;  // new names that were not complete when last tried, oldest first
    int m_tag = 0;
};
