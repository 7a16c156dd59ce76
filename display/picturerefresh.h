#pragma once

// The picture refresh (RedrawPicture, the button "畫面重整"): rebuilds the visible picture and the
// labels from the stored measurements of the current work order. Whatever changes what the picture
// shows runs it: the display unit, the display options, the measurement list.
class PictureRefresh {
public:
    virtual ~PictureRefresh() = default;
    virtual void RedrawPicture() = 0;
};

// The picture as it stands until the refresh is built: what was drawn and labelled while measuring
// stays as it is, in the unit it was drawn in.
class PictureKeptAsDrawn final : public PictureRefresh {
public:
    void RedrawPicture() override {}
};
