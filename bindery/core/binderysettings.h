#pragma once

#include <QRect>
#include <QSettings>
#include <QString>

#include <optional>

namespace bindery {

// Everything the editor keeps between runs (section "Settings" of the store
// "Bindery"), with the limits applied when the values are read.
struct BinderySettings {
    bool cover = true;
    bool bindR = true;
    bool pageSpread = true;
    bool thumbnail = true;
    // "Date": each part taken only when it lies in its range.
    int year = 0;
    int month = 0;
    int day = 0;
    bool nameAsTitle = true;
    bool nameTopAsDate = false;
    int parentNameAs = 0; // 0 nothing, 1 author, 2 publisher, 3 circle
    QString expPrefix;
    int expStartNum = 1;
    QString kvbFolder;
    QString asDocFolder;
    QString imageFolder;
    QString imageFolder2;
    QString expFolder;
    int autoFileName = 0;
    std::optional<QRect> winPos;

    static constexpr int kMaxPrefixChars = 32;
    static constexpr int kMaxStartNum = 10000;

    void load(QSettings &store);
    void save(QSettings &store) const;
};

} // namespace bindery
