#pragma once

#include <QImage>
#include <QSize>
#include <QVideoFrame>
#include <QVideoFrameFormat>

// Turns a camera frame into a 24-bit picture (QImage::Format_BGR888) of outSize, reusing out when
// it already has that size: the usual camera layouts (32-bit RGB, YUYV, UYVY, NV12, NV21, planar
// 4:2:0, grey) directly with the frame's colour matrix and range, anything else (JPEG frames, 10-bit
// formats) through Qt's own conversion except planar 4:2:2, which Qt 6.4 gets wrong. A smaller
// outSize samples the pixel under each target pixel's centre. False when the frame cannot be read
// or out cannot be had.
[[nodiscard]] bool videoFrameToPicture(const QVideoFrame &frame, QSize outSize, QImage &out);

// A frame of the given layout (Format_BGRX8888 or Format_YUYV, BT.601 video range) made from a
// 24-bit picture, as a camera would deliver it; an invalid frame for any other layout (and for YUYV
// of an odd width). The test
// pattern goes through the same conversion as a camera this way.
[[nodiscard]] QVideoFrame pictureToVideoFrame(const QImage &picture, QVideoFrameFormat::PixelFormat layout);
