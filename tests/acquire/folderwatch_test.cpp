#include "acquire/folderwatch.h"

#include <functional>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = FolderWatch::Tick::Outcome;

// A watched folder with real files; the watch's waits are recorded and may write meanwhile.
struct Folder {
    QTemporaryDir dir;
    std::vector<int> sleeps;
    std::function<void()> whileWaiting;
    FolderWatch watch{[this](int ms) {
        sleeps.push_back(ms);
        if (whileWaiting)
            whileWaiting();
    }};

    Folder() { watch.setFolder(dir.path()); }

    void write(const QString &name, const QByteArray &bytes = QByteArray(100, 'x'), bool append = false)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(append ? QIODevice::Append : QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // The reading half of a scan: the tick that empties the file list first when it is due.
    FolderWatch::Tick scan(int lag = 1000)
    {
        if (watch.tag() == 1) {
            EXPECT_EQ(watch.tick(lag).outcome, Outcome::Emptied);
        }
        return watch.tick(lag);
    }
};

TEST(FolderWatch, ListsPicturesByTheMaskInAnyCaseAndTellsNamesApartByCase)
{
    Folder f;
    for (const char *name : {"b.JPG", "a.bmp", "Shot.Jpg", "notes.txt", "photo.jpeg", ".hidden.jpg", "c.jpg.part"})
        f.write(QString::fromLatin1(name));
    ASSERT_TRUE(QDir(f.dir.path()).mkdir(QStringLiteral("folder.jpg")));
    EXPECT_EQ(pictureNames(f.dir.path()), QStringList({"a.bmp", "b.JPG", "Shot.Jpg"}));
    EXPECT_TRUE(pictureNames(f.dir.filePath(QStringLiteral("missing"))).isEmpty());

    // Pictures present at start-up are not new.
    EXPECT_EQ(f.watch.prime(), 2);
    EXPECT_EQ(f.watch.known(), QStringList({"a.bmp", "b.JPG", "Shot.Jpg"}));
    EXPECT_EQ(f.scan().outcome, Outcome::NothingNew);

    // A name differing only in letter case is another file.
    f.write(QStringLiteral("SHOT.JPG"));
    const FolderWatch::Tick tick = f.scan();
    EXPECT_EQ(tick.outcome, Outcome::NewFile);
    EXPECT_EQ(tick.name, QStringLiteral("SHOT.JPG"));
    EXPECT_EQ(tick.path, f.dir.filePath(QStringLiteral("SHOT.JPG")));
}

TEST(FolderWatch, TakesOneNewFilePerScanOfTwoTicksAfterTheDelay)
{
    Folder f;
    EXPECT_EQ(f.watch.prime(), -1);
    f.write(QStringLiteral("first.jpg"));
    f.write(QStringLiteral("second.bmp"));

    FolderWatch::Tick tick = f.watch.tick(1500);
    EXPECT_EQ(tick.outcome, Outcome::NewFile);
    EXPECT_EQ(tick.name, QStringLiteral("first.jpg"));
    EXPECT_EQ(tick.listed, QStringList({"first.jpg", "second.bmp"}));
    // The delay comes first, then the looks that find the file no longer changing.
    ASSERT_FALSE(f.sleeps.empty());
    EXPECT_EQ(f.sleeps.front(), 1500);
    EXPECT_EQ(f.sleeps.size(), 2u);

    EXPECT_EQ(f.watch.tick(1500).outcome, Outcome::Emptied);
    tick = f.watch.tick(1500);
    EXPECT_EQ(tick.outcome, Outcome::NewFile);
    EXPECT_EQ(tick.name, QStringLiteral("second.bmp"));
    EXPECT_EQ(f.scan().outcome, Outcome::NothingNew);
    EXPECT_EQ(f.watch.known(), QStringList({"first.jpg", "second.bmp"}));
}

TEST(FolderWatch, NeverHandsOverAFileStillBeingWritten)
{
    Folder f;
    f.write(QStringLiteral("growing.jpg"), "\xFF\xD8");
    // The writer adds a block during every wait of this scan.
    f.whileWaiting = [&] { f.write(QStringLiteral("growing.jpg"), QByteArray(4096, 'j'), true); };
    FolderWatch::Tick tick = f.scan();
    EXPECT_EQ(tick.outcome, Outcome::Unsettled);
    EXPECT_EQ(tick.name, QStringLiteral("growing.jpg"));
    EXPECT_FALSE(f.watch.known().contains(QStringLiteral("growing.jpg")));
    EXPECT_EQ(int(f.sleeps.size()), 1 + FolderWatch::SettleLooks);

    // Another new file is not held up by it, though the writer goes on; the growing one is retried
    // after it.
    f.write(QStringLiteral("whole.jpg"));
    f.sleeps.clear();
    tick = f.scan();
    EXPECT_EQ(tick.outcome, Outcome::NewFile);
    EXPECT_EQ(tick.name, QStringLiteral("whole.jpg"));
    EXPECT_EQ(f.sleeps.size(), 2u);
    EXPECT_EQ(f.scan().name, QStringLiteral("growing.jpg"));
    EXPECT_FALSE(f.watch.known().contains(QStringLiteral("growing.jpg")));

    // Once the writer has finished it is handed over, whole: 5 + 2 + 5 blocks were written.
    f.whileWaiting = {};
    tick = f.scan();
    EXPECT_EQ(tick.outcome, Outcome::NewFile);
    EXPECT_EQ(tick.name, QStringLiteral("growing.jpg"));
    EXPECT_EQ(QFileInfo(tick.path).size(), 2 + 12 * 4096);

    // An empty file is a writer that has not begun; a file gone meanwhile is not handed over.
    f.write(QStringLiteral("empty.jpg"), QByteArray());
    EXPECT_EQ(f.scan().outcome, Outcome::Unsettled);
    f.write(QStringLiteral("vanishing.jpg"));
    f.whileWaiting = [&] { QFile::remove(f.dir.filePath(QStringLiteral("vanishing.jpg"))); };
    EXPECT_EQ(f.scan().outcome, Outcome::Unsettled);
    f.whileWaiting = {};
    EXPECT_EQ(f.scan().name, QStringLiteral("empty.jpg"));  // only the empty one is left to retry
}

TEST(FolderWatch, DeleteAndAnotherFolderMakeFilesNewAgain)
{
    Folder f;
    f.write(QStringLiteral("a.jpg"));
    f.write(QStringLiteral("b.jpg"));
    f.watch.prime();

    // Written again under the same name: not new.
    ASSERT_TRUE(QFile::remove(f.dir.filePath(QStringLiteral("a.jpg"))));
    f.write(QStringLiteral("a.jpg"));
    EXPECT_EQ(f.scan().outcome, Outcome::NothingNew);

    EXPECT_TRUE(f.watch.forget(QStringLiteral("a.jpg")));
    EXPECT_FALSE(f.watch.forget(QStringLiteral("A.jpg")));
    EXPECT_EQ(f.scan().name, QStringLiteral("a.jpg"));
    EXPECT_EQ(f.watch.known(), QStringList({"b.jpg", "a.jpg"}));

    QTemporaryDir other;
    QFile file(QDir(other.path()).filePath(QStringLiteral("b.jpg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("picture") == 7);
    file.close();
    f.watch.setFolder(other.path());
    EXPECT_TRUE(f.watch.known().isEmpty());
    const FolderWatch::Tick tick = f.scan();
    EXPECT_EQ(tick.name, QStringLiteral("b.jpg"));
    EXPECT_EQ(tick.path, QDir(other.path()).filePath(QStringLiteral("b.jpg")));
}

}  // namespace
