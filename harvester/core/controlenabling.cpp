#include "controlenabling.h"

namespace harvester {

bool isControlEnabled(int id, const EnablingState &s)
{
    switch (id) {
    case IdProcess:
    case IdSubFolder:
    case IdPostProcess:
    case IdTargetFolder:
    case IdBrowseTarget:
    case IdStart:
    case IdClose: // Esc and the window's close button stay active; they ask first
        return s.idle;
    case IdStop:
        return !s.idle;
    case IdWorkFolder:
    case IdBrowseWork:
        return s.idle && s.pdf();
    case IdSpread:
    case IdThumb:
    case IdNameAsTitle:
    case IdParentFolder:
        return s.idle && s.book();
    case IdCover:
    case IdBindR:
        return s.idle && s.book() && s.spreadChecked;
    case IdNumberAsDate:
        return s.idle && s.book() && s.nameAsTitleChecked;
    default:
        return true;
    }
}

} // namespace harvester
