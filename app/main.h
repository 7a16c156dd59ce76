#pragma once

#include <array>
#include <memory>

#include <QMainWindow>

#include "app/dialogs.h"
#include "app/state.h"
#include "measure/measuring.h"
#include "records/datasets.h"

class ActiveScaleController;
class Database;
class UnitScaleController;
class LabelsController;
class MeasurementPersistence;
class PictureFilesController;
class PictureView;
class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;
class QWidget;
class Shape;
class TfmAboutBox;

// The main window: the composition root. Constructing it opens the database (a file that cannot be
// opened throws DatabaseError before any window exists). It owns the shared state, builds the pages and the menu,
// creates the controllers that own the reactions, and runs start-up, hiding to the tray and exit.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(const QString &programFolder, QWidget *parent = nullptr);
    ~TfmMain() override;

    // Replaces the modal-interaction seam (tests script their dialogs through it).
    void setDialogs(std::unique_ptr<Dialogs> dialogs);
    [[nodiscard]] Dialogs &dialogs() { return m_dialogs; }

    [[nodiscard]] MainState &state() { return m_state; }
    [[nodiscard]] MeasuringController &measuring() { return *m_measuring; }
    [[nodiscard]] PictureFilesController &pictureFiles() { return *m_pictureFiles; }
    [[nodiscard]] LabelsController &labels() { return *m_labels; }
    [[nodiscard]] MeasurementPersistence &persistence() { return *m_persistence; }
    [[nodiscard]] const Datasets &datasets() const { return m_datasets; }
    [[nodiscard]] Database &database() { return *m_database; }
    [[nodiscard]] ActiveScaleController &activeScale() { return *m_activeScale; }
    [[nodiscard]] QString statusText(int panel) const;
    [[nodiscard]] bool trayAvailable() const;

public Q_SLOTS:
    void Exit1Click();
    void bbtHiddenClick();
    void TrayIcon1Restore();
    void PrintSetup1Click();
    void N8Click();
    void N11Click();
    void Timer1Timer();
    void Panel85Click();
    void Panel89Click();
    void Panel90Click();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend struct MainWindowBuilder;

    void FormCreate();
    void FormShow();
    void FormHide();
    void buildMenu();
    void buildPages();
    void buildRecords();
    void buildCalibration();
    void buildTray();
    void hideToTray();
    bool ensureWatchFolder();

    MainState m_state;
    DialogsSeam m_dialogs;
    std::unique_ptr<Database> m_database;
    Datasets m_datasets;
    MeasuringWidgets m_mw;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    PictureView *m_imgTemp = nullptr;
    QCheckBox *m_cbNote = nullptr;
    QLabel *m_posUnitX = nullptr;
    QLabel *m_posUnitY = nullptr;
    QWidget *m_scaleBoxHost = nullptr;
    QWidget *m_unitScaleHost = nullptr;
    QCheckBox *m_cbAutoFont = nullptr;
    QCheckBox *m_cbCaculate = nullptr;
    LabelsController *m_labels = nullptr;
    MeasurementPersistence *m_persistence = nullptr;
    UnitScaleController *m_unitScale = nullptr;
    ActiveScaleController *m_activeScale = nullptr;
    MeasuringController *m_measuring = nullptr;
    PictureFilesController *m_pictureFiles = nullptr;

    QTabWidget *m_pages = nullptr;
    QTabWidget *m_settingsPages = nullptr;
    QWidget *m_measurePage = nullptr;
    QWidget *m_Panel3 = nullptr;
    QPushButton *m_Panel85 = nullptr;
    std::array<QLabel *, 3> m_statusPanels{};
    QSystemTrayIcon *m_tray = nullptr;
    QTimer *m_Timer1 = nullptr;
    QTimer *m_hideDelay = nullptr;
    TfmAboutBox *m_aboutBox = nullptr;
};
