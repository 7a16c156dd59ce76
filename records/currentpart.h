#pragma once

#include <QString>

// The part measurements are taken on: the texts of the part number and part name lists as shown.
// The part lists' reactions are the one writer; the measuring reactions read it.
struct CurrentPart {
    QString RecID;
    QString RecName;
};
