#pragma once

#include <exception>

#include <QString>

#include "base/programerror.h"
#include "ui/dialogs.h"

class QWidget;

// The error boundary. Every reaction to the operator, a timer or the window system (slot bodies,
// lambdas connected to widget signals, event handlers) runs its body inside it:
//
//     void UnitScaleController::BitBtn11Click()
//     {
//         guarded(m_dialogs, m_host, [&] { addUnit(); });
//     }
//
// Below it code throws ProgramError (DatabaseError is one) or returns [[nodiscard]] results; a throw
// ends the operation there. The boundary shows the message once through the dialogs' error display
// and returns, so no exception reaches Qt's event loop. Returns false when the body failed.
template <class Body>
bool guarded(Dialogs &dialogs, QWidget *parent, Body &&body)
{
    try {
        body();
        return true;
    } catch (const ProgramError &e) {
        dialogs.error(parent, e.message());
    } catch (const std::exception &e) {
        // Not one of ours (memory, a library): shown in its own words all the same.
        dialogs.error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
