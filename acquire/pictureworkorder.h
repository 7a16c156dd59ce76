#pragma once

#include "records/newworkorder.h"

class PictureFilesController;

// The new work order as far as the picture files go, until the work orders take it over: a
// temporary picture is kept under its permanent name, then the picture counts as opened, which is
// what the work orders start their scratch order on.
class PictureOpenedWorkOrder final : public NewWorkOrder {
public:
    explicit PictureOpenedWorkOrder(PictureFilesController &pictureFiles);
    void startWorkOrder(bool insideCapture) override;

private:
    PictureFilesController &m_pictureFiles;
};
