#pragma once

#include "imagefolderpacker.h"

#include <QSettings>
#include <QString>

namespace harvester {

// The dialog's choices kept between starts (section "Settings" of the store
// "Harvester"). A list value outside its items leaves the list without a
// selection (-1), which is then not written back.
struct HarvesterSettings {
    int process = 0;     // "Process" 0..4
    bool subFolder = true;
    QString pdfFolder;
    QString wkFolder;
    // "Cover", "BindR", "Spread", "Thumb", "NameAsTitle", "NumberAsDate" and
    // "ParentFolder" 0..3 (book.targetName).
    BookOptions book;
    int postProcess = 0; // "PostProcess" 0..2

    void load(const QSettings &store);
    void save(QSettings &store) const;
};

} // namespace harvester
