#pragma once

// The new-work-order operation: a new scratch work order for the picture now shown, replacing the
// previous scratch order and its measurements. Grabbing a frame, a picture found in the watched
// folder and the pixel-ratio reset run it. insideCapture: the picture is a captured frame, which is
// kept as "CaptureFN.JPG" without asking. Throws ProgramError (DatabaseError) and stops there.
class NewWorkOrder {
public:
    virtual ~NewWorkOrder() = default;
    virtual void startWorkOrder(bool insideCapture) = 0;
};
