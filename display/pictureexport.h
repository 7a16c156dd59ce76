#pragma once

#include <QObject>
#include <QString>

#include "calibration/scalebox.h"
#include "display/annotate.h"

class CurrentWorkOrder;
class Dataset;
class Dialogs;
class DisplayOptions;
class PictureFilesController;
class PictureRefresh;
class Pictures;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;
struct ScaleValues;

struct PictureExportWidgets {
    QWidget *window = nullptr;  // its caption names the picture
    QLabel *lbFullFileName = nullptr;
    QLineEdit *edJPEGQuality = nullptr;
    QAbstractButton *cbDisplayScaleGauge = nullptr;  // "比例尺": the gauge is burnt in too
    GaugeWidgets gauge;
};

// The scale gauge as it stands over the picture: its captions in their fonts and colours and its
// two bars, at their places on the picture's content widget.
[[nodiscard]] ScaleGauge gaugeAsShown(const GaugeWidgets &gauge);

// The face the label texts are painted in: the one the screen's labels are shown in.
[[nodiscard]] QString labelFace();

// "另存新檔" (SaveAd1Click): the clean picture under the chosen name and the annotated one (marks,
// label texts line by line, the gauge when shown) beside it with "_" in front, as JPEG at the
// quality of edJPEGQuality or as Windows bitmaps. The chosen name becomes the work order's picture
// (PicFullName) and the window's; the annotated file becomes the current picture path. The
// picture is drawn anew before and after; the screen's picture itself is never painted on, so a
// failed write leaves it as it was.
class PictureExportController : public QObject {
    Q_OBJECT
public:
    static constexpr const char *SaveFilter = "JPG File|*.jpg|BMP File|*.bmp";

    PictureExportController(Pictures &pictures, const CurrentWorkOrder &workOrder, const ScaleValues &scale,
                            const DisplayOptions &options, PictureRefresh &refresh,
                            PictureFilesController &pictureFiles, Dataset &qryTitle, Dataset &qryX,
                            Dialogs &dialogs, const PictureExportWidgets &widgets, QObject *parent = nullptr);

    // The save-as behind SaveAd1Click: the paths of both files, empty when the operator cancelled.
    // Throws ProgramError when a file cannot be written (each file then is as it was) or the
    // quality is no number, DatabaseError when the rows cannot be read.
    struct Saved {
        QString cleanPath;      // the name chosen, its extension fixed
        QString annotatedPath;  // beside it with "_" in front
    };
    [[nodiscard]] Saved savePicture();

public Q_SLOTS:
    void SaveAd1Click();

private:
    [[nodiscard]] QImage annotatedPicture();
    [[nodiscard]] int jpegQuality() const;

    Pictures &m_pictures;
    const CurrentWorkOrder &m_workOrder;
    const ScaleValues &m_scale;
    const DisplayOptions &m_options;
    PictureRefresh &m_refresh;
    PictureFilesController &m_pictureFiles;
    Dataset &m_qryTitle;
    Dataset &m_qryX;
    Dialogs &m_dialogs;
    PictureExportWidgets m_w;
    int m_filterIndex = 1;
};
