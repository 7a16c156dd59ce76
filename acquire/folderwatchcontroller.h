#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "acquire/folderwatch.h"

class Dialogs;
class NewWorkOrder;
class PictureFilesController;
class Pictures;
class QAction;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;
class QWidget;
struct ProgramPaths;

// The controls of the folder watch on the page "影像擷取設定" and its menu item.
struct FolderWatchWidgets {
    QWidget *window = nullptr;  // shown when a new picture arrives; its minimise button goes in this mode
    QAction *mmAutoDetect = nullptr;  // "自動偵測圖檔"
    QAction *mmVFW1 = nullptr;        // the capture mode it turns off
    QComboBox *DriveComboBox1 = nullptr;      // the mount points; drives the folder list
    QTreeView *DirectoryListBox1 = nullptr;   // the folder tree; its current folder is watched
    QListWidget *FileListBox1 = nullptr;      // the picture files of that folder
    QComboBox *FilterComboBox1 = nullptr;     // hidden: the file list's masks
    QListWidget *ListBox1 = nullptr;          // the names already seen
    QPushButton *bbtDelete = nullptr;         // "Delete": a seen name counts as new again
    QPushButton *BitBtn6 = nullptr;           // "刪除": names the selected file in the caption
    QLineEdit *edSaveLag = nullptr;           // "延遲讀檔(1~10,000ms)："
    QLabel *lbTest1 = nullptr;                // the index of the last name seen at start-up
};

// The picture folder watch: while the window is hidden in folder-watch mode, the timer tmPicDetect
// scans WatchFolder in two ticks (one empties the file list, the next reads the folder), loads the
// first picture not seen before once it is complete, starts a new work order for it and asks for
// the window to be shown; the timer then stays stopped until the window is hidden again.
//
// A file is read only when two looks a moment apart find its size and time unchanged, after the
// save delay (FolderWatch); one still being written is tried again at the next scan. It writes
// WatchFolder: the folder list's directory, changed by the operator (which forgets the seen names)
// or by setWatchFolder.
class FolderWatchController : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 2000;
    static inline const QString PictureFilter =
        QStringLiteral("BMP & JPEG|*.BMP;*.JPG|BMP File|*.BMP|JPEG File|*.JPG;*.JPEG");

    FolderWatchController(ProgramPaths &paths, PictureFilesController &pictureFiles, Pictures &pictures,
                          NewWorkOrder &newWorkOrder, Dialogs &dialogs, const FolderWatchWidgets &widgets,
                          QObject *parent = nullptr);
    ~FolderWatchController() override;

    [[nodiscard]] QTimer &tmPicDetect() { return m_tmPicDetect; }
    [[nodiscard]] const FolderWatch &watch() const { return m_watch; }

    // Watches `folder` from now on: the seen names are forgotten and the lists point at it, their
    // change reactions held off (the settings file, start-up).
    void setWatchFolder(const QString &folder);
    // While on, the drive and folder lists' changes do nothing (their tags are 1).
    void setListsGuarded(bool on);
    // The start-up timer's step: the lists point at WatchFolder, the files present count as seen
    // when the mode is on, and the lists' changes count again.
    void startUpStep();
    // The window was shown: the watch stops. Hidden: it starts when the mode is on.
    void windowShown();
    void windowHidden();

public Q_SLOTS:
    void mmAutoDetectClick();
    void DriveComboBox1Change();
    void DirectoryListBox1Change();
    void bbtDeleteClick();
    void BitBtn6Click();
    void tmPicDetectTimer();

Q_SIGNALS:
    // A new picture was loaded as a new work order: the window is to be shown.
    void pictureArrived();

private:
    void scan();
    void folderChosen(const QString &folder);
    void pointListsAt(const QString &folder);
    // The file list's masks; relist: the list is read again with the first of them.
    void setFilter(const QString &filter, bool relist = true);
    void showFileList(const QStringList &names);
    void showKnownNames();
    void setMinimiseButton(bool shown);
    [[nodiscard]] QString listedFolder() const;
    [[nodiscard]] bool listsGuarded() const;

    ProgramPaths &m_paths;
    PictureFilesController &m_pictureFiles;
    Pictures &m_pictures;
    NewWorkOrder &m_newWorkOrder;
    Dialogs &m_dialogs;
    FolderWatchWidgets m_w;
    QFileSystemModel *m_folders;
    FolderWatch m_watch;
    QTimer m_tmPicDetect;
};
