#include "history/undo_buffer.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"

#include <algorithm>
#include <climits>

KXClassBackup::KXClassBackup(int action, std::unique_ptr<KXClass> object)
    : m_action(action)
    , m_object(std::move(object))
{ }

KXClassBackup::~KXClassBackup() = default;

UndoRecord::UndoRecord() = default;

UndoRecord::~UndoRecord()
{
    for (auto &snapshot : m_snapshots)
        snapshot.reset();
}

void UndoRecord::Add(int action, std::unique_ptr<KXClass> object)
{
    m_snapshots.push_back(std::make_unique<KXClassBackup>(action, std::move(object)));
}

namespace {

// Picks the object to select after a step: plain objects before groups, the first of a rank.
class Choice {
public:
    void Consider(CObjectData *object)
    {
        if (!object)
            return;
        const int rank = object->IsGroup() ? 2 : 3;
        if (rank > m_rank) {
            m_rank = rank;
            m_object = object;
        }
    }
    CObjectData *Result() const { return m_object; }

private:
    int m_rank = 0;
    CObjectData *m_object = nullptr;
};

} // namespace

UndoBuffer::UndoBuffer(CKXDialogData *dialog)
    : m_dialog(dialog)
{ }

UndoBuffer::~UndoBuffer()
{
    Clear();
}

void UndoBuffer::Clear()
{
    while (!m_records.empty())
        DropLastRecord();
    m_index = 0;
}

std::unique_ptr<KXClass> UndoBuffer::MakeCopy(const KXClass &object) const
{
    std::unique_ptr<KXClass> copy;
    if (object.Kind() == kKindDialog) {
        copy = CKXDialogData::MakeSnapshot(static_cast<const CKXDialogData &>(object));
        return copy;
    }
    if (object.Kind() == kKindObject) {
        if (static_cast<const CObjectData &>(object).IsGroup())
            copy = std::make_unique<CObjectDataList>(nullptr);
        else
            copy = std::make_unique<CObjectData>(nullptr);
        copy->CopyFrom(object);
        return copy;
    }
    if (m_messages)
        m_messages->ShowMessage("error!", kx::MessageIcon::Error);
    return nullptr;
}

void UndoBuffer::IndexSnapshot(int recordIndex, const KXClassBackup &snapshot)
{
    KXClass *object = snapshot.Object();
    SerialIndex &index = m_serials[object->Serial()];
    if (snapshot.Action() == ACT_ORIGINAL) {
        auto *live = static_cast<CObjectData *>(object);
        index.live.push_back({recordIndex, live});
        m_originals.push_back({recordIndex, live, &index});
    } else {
        index.copies.push_back({recordIndex, object});
        index.latest = index.copies.back();
    }
}

void UndoBuffer::DropLastRecord()
{
    const int last = Count() - 1;
    const UndoRecord &record = *m_records.back();
    for (int i = 0; i < record.Count(); ++i) {
        const auto it = m_serials.find(record.At(i).Object()->Serial());
        if (it == m_serials.end())
            continue;
        SerialIndex &index = it->second;
        while (!index.copies.empty() && index.copies.back().record == last)
            index.copies.pop_back();
        index.latest = index.copies.empty() ? CopyEntry {-1, nullptr} : index.copies.back();
        while (!index.live.empty() && index.live.back().record == last)
            index.live.pop_back();
    }
    while (!m_originals.empty() && m_originals.back().record == last)
        m_originals.pop_back();
    // Serials with nothing left go only after m_originals no longer points at them.
    for (int i = 0; i < record.Count(); ++i) {
        const auto it = m_serials.find(record.At(i).Object()->Serial());
        if (it != m_serials.end() && it->second.copies.empty() && it->second.live.empty())
            m_serials.erase(it);
    }
    m_records.pop_back();
}

void UndoBuffer::AddUndoInfo(std::unique_ptr<UndoRecord> record)
{
    m_records.push_back(std::move(record));
    const int recordIndex = Count() - 1;
    const UndoRecord &added = *m_records.back();
    for (int i = 0; i < added.Count(); ++i)
        IndexSnapshot(recordIndex, added.At(i));
    ++m_index;
}

const UndoBuffer::SerialIndex *UndoBuffer::Find(std::uint64_t serial) const
{
    const auto it = m_serials.find(serial);
    return it == m_serials.end() ? nullptr : &it->second;
}

const KXClass *UndoBuffer::LatestCopyIn(const SerialIndex &index, int start)
{
    // Most look-ups ask for the newest copy of all; only undo steps back further.
    if (index.latest.copy && index.latest.record <= start)
        return index.latest.copy;
    // Otherwise the last copy taken in a record at or before start.
    const auto &entries = index.copies;
    const auto after = std::upper_bound(entries.begin(), entries.end(), start,
        [](int record, const CopyEntry &entry) { return record < entry.record; });
    return after == entries.begin() ? nullptr : std::prev(after)->copy;
}

const KXClass *UndoBuffer::FindLatestCopy(const KXClass &object, int start) const
{
    if (start < 0)
        start = m_index - 1;
    else if (start >= Count())
        start = Count() - 1;
    const SerialIndex *index = Find(object.Serial());
    return index ? LatestCopyIn(*index, start) : nullptr;
}

CObjectData *UndoBuffer::FindLive(const KXClass &object) const
{
    return FindLiveBySerial(object.Serial());
}

KXClass *UndoBuffer::FindStoredCopy(std::uint64_t serial, const KXClass *copy) const
{
    const SerialIndex *index = Find(serial);
    if (!index)
        return nullptr;
    for (const CopyEntry &entry : index->copies) {
        // The records own their copies; the index only looks at them.
        if (entry.copy == copy)
            return const_cast<KXClass *>(entry.copy);
    }
    return nullptr;
}

CObjectData *UndoBuffer::FindLiveBySerial(std::uint64_t serial) const
{
    const SerialIndex *index = Find(serial);
    if (!index || index->live.empty())
        return nullptr;
    // The latest record that holds one, and in it the first.
    const auto &entries = index->live;
    const int record = entries.back().record;
    const auto first = std::find_if(entries.begin(), entries.end(),
        [record](const LiveEntry &entry) { return entry.record == record; });
    return first->object;
}

bool UndoBuffer::Owns(const CObjectData *object) const
{
    return object && FindLive(*object) == object;
}

void UndoBuffer::RecordObject(CObjectData &object, UndoRecord &record)
{
    const KXClass *latest = nullptr;
    if (const auto it = m_serials.find(object.Serial()); it != m_serials.end()) {
        latest = LatestCopyIn(it->second, m_index - 1);
        it->second.comparedInSave = m_save;
    }
    if (latest && object.IsSameAs(*latest))
        return;
    if (auto copy = MakeCopy(object)) {
        if (latest) {
            record.Add(ACT_MODIFY, std::move(copy));
        } else {
            record.Add(ACT_CREATE, std::move(copy));
            // From now on the history owns the object; the snapshot's deleter frees it.
            record.Add(ACT_ORIGINAL, std::unique_ptr<KXClass>(&object));
        }
    }
}

void UndoBuffer::RecordOriginals(UndoRecord &record)
{
    int recordIndex = -1;
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_records[i].get() == &record) {
            recordIndex = i;
            break;
        }
    }
    AddOriginalChanges(record, recordIndex, false);
}

void UndoBuffer::AddOriginalChanges(UndoRecord &record, int recordIndex, bool skipComparedInSave)
{
    // An object that the tree walk of this save compared already equals its latest copy now
    // (either the old one or the one just taken), so only the others need a comparison.
    // Snapshots added here extend the copies, never m_originals, so the index walk stays valid.
    for (std::size_t i = 0; i < m_originals.size(); ++i) {
        const OriginalEntry entry = m_originals[i];
        if (skipComparedInSave && entry.index->comparedInSave == m_save)
            continue;
        const KXClass *latest = LatestCopyIn(*entry.index, Count() - 1);
        if (!latest || entry.object->IsSameAs(*latest))
            continue;
        if (auto copy = MakeCopy(*entry.object)) {
            record.Add(ACT_MODIFY, std::move(copy));
            if (recordIndex >= 0)
                IndexSnapshot(recordIndex, record.At(record.Count() - 1));
        }
    }
}

void UndoBuffer::SaveUndoInfo(CKXDialogData &dialog)
{
    auto record = std::make_unique<UndoRecord>();
    const KXClass *latest = FindLatestCopy(dialog, -1);
    if (!latest) {
        if (auto copy = MakeCopy(dialog))
            record->Add(ACT_CREATE, std::move(copy));
    } else if (!dialog.IsSameAs(*latest)) {
        if (auto copy = MakeCopy(dialog))
            record->Add(ACT_MODIFY, std::move(copy));
    }
    ++m_save;
    dialog.RootGroup()->RecordHistory(*this, *record);
    if (record->IsEmpty())
        return; // nothing changed: pending redo steps stay available
    while (Count() > m_index)
        DropLastRecord();
    AddUndoInfo(std::move(record));
    AddOriginalChanges(*m_records.back(), Count() - 1, true);
}

void UndoBuffer::RestoreDialog(const KXClass &copy)
{
    // The dialog is not owned by its history, so no live snapshot stands for it; its own
    // position, size, title and background are put back directly. Its name stays: renaming
    // has its own rules of uniqueness and derived file names.
    if (m_dialog && copy.Serial() == m_dialog->Serial())
        m_dialog->RestoreProperties(static_cast<const CKXDialogData &>(copy));
}

CObjectData *UndoBuffer::Undo()
{
    if (m_index <= 1)
        return nullptr;
    const int k = m_index - 1;
    const UndoRecord &record = *m_records[k];
    Choice choice;
    for (int i = 0; i < record.Count(); ++i) {
        const KXClassBackup &snapshot = record.At(i);
        const KXClass &object = *snapshot.Object();
        if (snapshot.Action() == ACT_CREATE) {
            choice.Consider(FindLive(object));
        } else if (snapshot.Action() == ACT_MODIFY) {
            const KXClass *earlier = FindLatestCopy(object, k - 1);
            if (object.Kind() == kKindDialog) {
                if (earlier)
                    RestoreDialog(*earlier);
                continue;
            }
            CObjectData *live = FindLive(object);
            if (earlier) {
                if (!live)
                    continue;
                live->CopyFrom(*earlier);
            }
            choice.Consider(live);
        }
    }
    m_index = k;
    return choice.Result();
}

CObjectData *UndoBuffer::Redo()
{
    if (m_index >= Count())
        return nullptr;
    const UndoRecord &record = *m_records[m_index];
    Choice choice;
    for (int i = 0; i < record.Count(); ++i) {
        const KXClassBackup &snapshot = record.At(i);
        const KXClass &object = *snapshot.Object();
        if (snapshot.Action() == ACT_CREATE) {
            choice.Consider(FindLive(object));
        } else if (snapshot.Action() == ACT_MODIFY) {
            if (object.Kind() == kKindDialog) {
                RestoreDialog(object);
                continue;
            }
            CObjectData *live = FindLive(object);
            if (!live)
                continue;
            live->CopyFrom(object);
            choice.Consider(live);
        }
    }
    ++m_index;
    return choice.Result();
}
