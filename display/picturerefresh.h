#pragma once

// The picture refresh (RedrawPicture, the button "畫面重整"): rebuilds the visible picture and the
// labels from the stored measurements of the current work order. Whatever changes what the picture
// shows runs it: the display unit, the display options, the measurement list. A failure of the
// database is thrown as DatabaseError; the picture then stays as far as it was drawn.
class PictureRefresh {
public:
    virtual ~PictureRefresh() = default;
    virtual void RedrawPicture() = 0;
};
