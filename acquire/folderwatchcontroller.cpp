#include "acquire/folderwatchcontroller.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QThread>
#include <QTreeView>
#include <QWidget>

#include "acquire/picturefiles.h"
#include "base/numberparse.h"
#include "base/programerror.h"
#include "base/programpaths.h"
#include "display/pictures.h"
#include "records/newworkorder.h"
#include "ui/guarded.h"

namespace {

// No file name holds a "/", so this mask empties the file list.
const QString NoFileFilter = QStringLiteral("無|/");

QStringList namesMatching(const QString &folder, const QString &mask)
{
    if (mask == QLatin1String("*.BMP;*.JPG"))
        return pictureNames(folder);
    if (folder.isEmpty() || mask.contains(QLatin1Char('/')))
        return {};
    QDir dir(folder);
    return dir.entryList(mask.split(QLatin1Char(';')), QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

// The mount points the drive list offers, the root first.
QStringList mountPoints()
{
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

}  // namespace

FolderWatchController::FolderWatchController(ProgramPaths &paths, PictureFilesController &pictureFiles,
                                             Pictures &pictures, NewWorkOrder &newWorkOrder, Dialogs &dialogs,
                                             const FolderWatchWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_pictureFiles(pictureFiles)
    , m_pictures(pictures)
    , m_newWorkOrder(newWorkOrder)
    , m_dialogs(dialogs)
    , m_w(widgets)
    , m_folders(new QFileSystemModel(this))
    , m_watch([](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); })
{
    m_tmPicDetect.setObjectName(QStringLiteral("tmPicDetect"));
    m_tmPicDetect.setInterval(IntervalMs);
    m_tmPicDetect.setSingleShot(false);
    connect(&m_tmPicDetect, &QTimer::timeout, this, &FolderWatchController::tmPicDetectTimer);

    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    m_w.DirectoryListBox1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_w.DirectoryListBox1->hideColumn(column);
    m_w.DirectoryListBox1->setHeaderHidden(true);
    m_w.DriveComboBox1->addItems(mountPoints());

    connect(m_w.mmAutoDetect, &QAction::triggered, this, &FolderWatchController::mmAutoDetectClick);
    // The minimise button follows the mode however it changes (the capture mode, the settings).
    connect(m_w.mmAutoDetect, &QAction::toggled, this, [this](bool on) { setMinimiseButton(!on); });
    connect(m_w.DriveComboBox1, &QComboBox::currentIndexChanged, this, &FolderWatchController::DriveComboBox1Change);
    connect(m_w.DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderWatchController::DirectoryListBox1Change);
    connect(m_w.bbtDelete, &QPushButton::clicked, this, &FolderWatchController::bbtDeleteClick);
    connect(m_w.BitBtn6, &QPushButton::clicked, this, &FolderWatchController::BitBtn6Click);

    setFilter(PictureFilter);
    setWatchFolder(m_paths.WatchFolder);
}

FolderWatchController::~FolderWatchController()
{
    // The tree goes with the page; it must not keep a model that is gone.
    m_w.DirectoryListBox1->setModel(nullptr);
}

bool FolderWatchController::listsGuarded() const
{
    return m_w.DirectoryListBox1->property("tag").toInt() == 1 || m_w.DriveComboBox1->property("tag").toInt() == 1;
}

void FolderWatchController::setListsGuarded(bool on)
{
    m_w.DirectoryListBox1->setProperty("tag", on ? 1 : 0);
    m_w.DriveComboBox1->setProperty("tag", on ? 1 : 0);
}

void FolderWatchController::setWatchFolder(const QString &folder)
{
    setListsGuarded(true);
    m_paths.WatchFolder = folder;
    m_watch.setFolder(folder);
    showKnownNames();
    pointListsAt(folder);
}

void FolderWatchController::pointListsAt(const QString &folder)
{
    const bool wasGuarded = listsGuarded();
    setListsGuarded(true);
    const QString root = QStorageInfo(folder).rootPath();
    if (const int drive = m_w.DriveComboBox1->findText(root); drive >= 0)
        m_w.DriveComboBox1->setCurrentIndex(drive);
    const QModelIndex at = m_folders->index(folder);
    if (at.isValid()) {
        m_w.DirectoryListBox1->setCurrentIndex(at);
        m_w.DirectoryListBox1->scrollTo(at);
    }
    setListsGuarded(wasGuarded);
    showFileList(namesMatching(folder, m_w.FilterComboBox1->currentData().toString()));
}

QString FolderWatchController::listedFolder() const
{
    return m_folders->filePath(m_w.DirectoryListBox1->currentIndex());
}

void FolderWatchController::startUpStep()
{
    pointListsAt(m_paths.WatchFolder);
    if (m_w.mmAutoDetect->isChecked()) {
        m_w.mmVFW1->setChecked(false);
        m_watch.setTag(1);
        setFilter(PictureFilter);
        const int last = m_watch.prime();
        showKnownNames();
        m_w.lbTest1->setText(QString::number(last));
        m_watch.setTag(0);
    }
    setListsGuarded(false);
}

void FolderWatchController::windowShown()
{
    m_tmPicDetect.stop();
    setFilter(PictureFilter);
}

void FolderWatchController::windowHidden()
{
    if (m_w.mmAutoDetect->isChecked())
        m_tmPicDetect.start();
}

void FolderWatchController::mmAutoDetectClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (m_w.mmAutoDetect->isChecked())
            m_w.mmVFW1->setChecked(false);
    });
}

void FolderWatchController::setMinimiseButton(bool shown)
{
    QWidget *window = m_w.window;
    Qt::WindowFlags flags = window->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, shown);
    if (flags == window->windowFlags())
        return;
    // New border icons take a new native window, which hides a shown one.
    const bool visible = window->isVisible();
    window->setWindowFlags(flags);
    if (visible)
        window->show();
}

void FolderWatchController::DriveComboBox1Change()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (listsGuarded())
            return;
        const QModelIndex drive = m_folders->index(m_w.DriveComboBox1->currentText());
        if (drive.isValid())
            m_w.DirectoryListBox1->setCurrentIndex(drive);
        folderChosen(listedFolder());
    });
}

void FolderWatchController::DirectoryListBox1Change()
{
    guarded(m_dialogs, m_w.window, [this] {
        const QString folder = listedFolder();
        showFileList(namesMatching(folder, m_w.FilterComboBox1->currentData().toString()));
        if (!listsGuarded())
            folderChosen(folder);
    });
}

void FolderWatchController::folderChosen(const QString &folder)
{
    if (folder.isEmpty())
        return;
    m_paths.WatchFolder = folder;
    m_watch.setFolder(folder);
    showKnownNames();
}

void FolderWatchController::bbtDeleteClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (QListWidgetItem *item = m_w.ListBox1->currentItem()) {
            (void)m_watch.forget(item->text());
            showKnownNames();
        }
    });
}

void FolderWatchController::BitBtn6Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        QListWidgetItem *item = m_w.FileListBox1->currentItem();
        m_w.window->setWindowTitle(item ? QDir(listedFolder()).filePath(item->text()) : QString());
    });
}

void FolderWatchController::tmPicDetectTimer()
{
    guarded(m_dialogs, m_w.window, [this] { scan(); });
}

void FolderWatchController::scan()
{
    m_tmPicDetect.stop();
    int saveLag = 0;
    if (m_watch.tag() != 1) {
        // The watch stays stopped until the window is shown and hidden again.
        const ParsedNumber<int> lag = parseInteger(m_w.edSaveLag->text());
        if (!lag.ok())
            throw ProgramError(QStringLiteral("延遲讀檔(1~10,000ms)：") + lag.error);
        saveLag = lag.value;
    }
    const FolderWatch::Tick tick = m_watch.tick(saveLag);
    using Outcome = FolderWatch::Tick::Outcome;
    if (tick.outcome == Outcome::Emptied) {
        setFilter(NoFileFilter);
        m_tmPicDetect.start();
        return;
    }
    setFilter(PictureFilter, false);
    showFileList(tick.listed);
    if (tick.outcome != Outcome::NewFile) {
        m_tmPicDetect.start();
        return;
    }
    showKnownNames();
    m_paths.WatchFolder = m_watch.folder();
    // An unreadable file is reported by the load; the work order and the window follow all the same.
    (void)m_pictureFiles.LoadPictureFile(tick.path);
    m_newWorkOrder.startWorkOrder(false);
    m_pictures.hideCrosshair();
    Q_EMIT pictureArrived();
}

void FolderWatchController::setFilter(const QString &filter, bool relist)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    m_w.FilterComboBox1->clear();
    for (int i = 0; i + 1 < parts.size(); i += 2)
        m_w.FilterComboBox1->addItem(parts[i], parts[i + 1]);
    m_w.FilterComboBox1->setCurrentIndex(0);
    if (relist)
        showFileList(namesMatching(m_watch.folder(), m_w.FilterComboBox1->currentData().toString()));
}

void FolderWatchController::showFileList(const QStringList &names)
{
    m_w.FileListBox1->clear();
    m_w.FileListBox1->addItems(names);
}

void FolderWatchController::showKnownNames()
{
    m_w.ListBox1->clear();
    m_w.ListBox1->addItems(m_watch.known());
}
