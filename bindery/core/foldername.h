#pragma once

#include <QString>

namespace bindery {

// What a folder's name gives when its leading number is read as a date: 4
// digits a year, 6 a year and month, 8 a year, month and day.
struct FolderNameDate {
    bool dated = false;
    int year = 0;
    int month = 0; // 0 when the name gives none
    int day = 0;   // 0 when the name gives none
    int digits = 0; // how many digits the name starts with
    QString rest;  // the name without the number and the white space after it
};

FolderNameDate parseFolderName(const QString &name);

} // namespace bindery
