#pragma once

#include "resumelist.h"

#include <QSettings>

namespace platform {
class Prompt;
}
#include <QString>

namespace leafreader {

// What the list screens keep in the reader's settings store (section
// "Settings" of Velloran/Leafreader): the folder screen's folder, the resume
// list as stored and the two sort orders.
struct ShelfSettings {
    QString currentFolder; // "CurrentFolder"; empty = drive list
    // "Resume0".."Resume99" as stored ("kind|page|count|zoom|single|path" or
    // empty); the resume list parses and formats them.
    ResumeList::Slots resume;
    int sortModeF = 1; // "SortModeF", 0..2; other values keep the previous one
    int sortModeR = 0; // "SortModeR", 0..2 likewise

    // Reads every value; missing or unreadable ones keep what the struct
    // holds (the defaults on a fresh struct).
    void load(QSettings &store);
    // Writes every value.
    void save(QSettings &store) const;

    // The groups the program writes at different moments.
    void saveDialogValues(QSettings &store) const; // SortModeF, SortModeR, on the settings dialog's OK
    void saveResume(QSettings &store) const;       // CurrentFolder, Resume0..99, when the view ends
    // saveResume, written to the file at once; false, after the message, when
    // it could not be.
    bool writeResume(QSettings &store, platform::Prompt &prompt) const;
    // Takes the values the settings dialog edits (those saveDialogValues writes).
    void takeDialogValues(const ShelfSettings &from);
};

} // namespace leafreader
