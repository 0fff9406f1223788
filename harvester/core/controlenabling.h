#pragma once

namespace harvester {

// The main dialog's controls and commands by their ids.
enum ControlId {
    IdEnter = 1,
    IdClose = 2,
    CmdAbout = 16,
    IdSubFolder = 1001,
    IdStatus = 1002,
    IdProgress = 1003,
    IdStart = 1005,
    IdStop = 1007,
    IdProcess = 1009,
    IdNameAsTitle = 1010,
    IdNumberAsDate = 1011,
    IdParentFolder = 1012,
    IdPostProcess = 1013,
    IdTargetFolder = 1014,
    IdBrowseTarget = 1015,
    IdWorkFolder = 1016,
    IdBrowseWork = 1017,
    IdCover = 1018,
    IdBindR = 1019,
    IdSpread = 1020,
    IdThumb = 1021,
    IdLog = 1038,
};

// What the enabling of the controls depends on.
struct EnablingState {
    bool idle = true;  // no run in progress
    int process = 0;   // the Process selection, -1 for none
    bool spreadChecked = true;
    bool nameAsTitleChecked = false;

    // The conversions that write books (0, 2 and 4) and those that read PDFs (0 and 1).
    bool book() const { return process == 0 || process == 2 || process == 4; }
    bool pdf() const { return process == 0 || process == 1; }
};

// Whether a control is enabled in that state. Controls without a rule (the
// labels, the status line, the progress bar and the log) are always enabled.
bool isControlEnabled(int id, const EnablingState &state);

} // namespace harvester
