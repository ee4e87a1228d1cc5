// How objects and groups add their snapshots to a record of the history.
#include "history/undo_buffer.h"
#include "model/object_data_list.h"

void CObjectData::RecordHistory(UndoBuffer &history, UndoRecord &record)
{
    history.RecordObject(*this, record);
}

void CObjectDataList::RecordHistory(UndoBuffer &history, UndoRecord &record)
{
    history.RecordObject(*this, record);
    for (CObjectData *child : Children())
        child->RecordHistory(history, record);
}
