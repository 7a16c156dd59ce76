#include "acquire/pictureworkorder.h"

#include "acquire/picturefiles.h"

PictureOpenedWorkOrder::PictureOpenedWorkOrder(PictureFilesController &pictureFiles)
    : m_pictureFiles(pictureFiles)
{
}

void PictureOpenedWorkOrder::startWorkOrder(bool insideCapture)
{
    // Kept first: once saved under its own name the picture no longer counts as temporary, so the
    // order started on the signal names the kept file and asks nothing more.
    m_pictureFiles.KeepTemporaryPicture(insideCapture);
    Q_EMIT m_pictureFiles.pictureOpened();
}
