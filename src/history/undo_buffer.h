// The editing history of one dialog: records of changed objects, undo and redo, and ownership of
// every object the history has met.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class KXClass;
class CObjectData;
class CKXDialogData;

namespace kx {
class IMessageSink;
}

// What a snapshot holds: a copy made when an object was first met or when it changed, or the
// live object itself, which the history owns from then on.
enum UndoAction : int {
    ACT_CREATE = 0,
    ACT_MODIFY = 1,
    ACT_ORIGINAL = 2,
};

// One snapshot; destroying it destroys its object, copy or live object alike.
class KXClassBackup {
public:
    KXClassBackup(int action, std::unique_ptr<KXClass> object);
    ~KXClassBackup();

    int Action() const { return m_action; }
    KXClass *Object() const { return m_object.get(); }

private:
    int m_action;
    std::unique_ptr<KXClass> m_object;
};

// The snapshots of one step of the history, in the order they were taken.
class UndoRecord {
public:
    UndoRecord();
    ~UndoRecord(); // destroys the snapshots from the first to the last

    void Add(int action, std::unique_ptr<KXClass> object);
    bool IsEmpty() const { return m_snapshots.empty(); }
    int Count() const { return static_cast<int>(m_snapshots.size()); }
    const KXClassBackup &At(int index) const { return *m_snapshots[index]; }

private:
    std::vector<std::unique_ptr<KXClassBackup>> m_snapshots;
};

// The history of one dialog. Records 0 .. Index()-1 are in effect, the rest can be redone;
// record 0 is the base state. Every lookup goes through per-serial indexes, so the cost of a
// step depends on the size of the dialog and the number of changes, not on the history's length.
class UndoBuffer {
public:
    // dialog: the live dialog whose own position, size, title and background Undo and Redo
    // restore; none for a history that only tracks objects.
    explicit UndoBuffer(CKXDialogData *dialog = nullptr);
    ~UndoBuffer();

    UndoBuffer(const UndoBuffer &) = delete;
    UndoBuffer &operator=(const UndoBuffer &) = delete;

    // Records what changed in the dialog since the last record; nothing when nothing changed.
    void SaveUndoInfo(CKXDialogData &dialog);
    // Steps back (or forward) one record and answers the object to select afterwards.
    CObjectData *Undo();
    CObjectData *Redo();

    // Appends a record and makes it the latest one in effect.
    void AddUndoInfo(std::unique_ptr<UndoRecord> record);
    // The latest copy of the object in records start .. 0 (a negative start means Index()-1,
    // one beyond the end the last record); none when there is none.
    const KXClass *FindLatestCopy(const KXClass &object, int start) const;
    // The live object with the object's serial that the history owns; none when it owns none.
    CObjectData *FindLive(const KXClass &object) const;
    CObjectData *FindLiveBySerial(std::uint64_t serial) const;
    // The stored copy of that serial at that address, while the history still holds it (it goes
    // with its record); none once it has gone. Lets a change made to copies be undone later
    // without touching one that no longer exists.
    KXClass *FindStoredCopy(std::uint64_t serial, const KXClass *copy) const;
    // Adds to record a copy of every owned object that differs from its latest copy, including
    // objects no longer in the tree.
    void RecordOriginals(UndoRecord &record);
    // Adds to record what changed in one object since its latest copy (the object walk of the
    // tree calls this for every object and group).
    void RecordObject(CObjectData &object, UndoRecord &record);

    // Visits every object the history holds: each stored copy and each owned live object (those
    // still in the tree included). For renames that must reach the past as well.
    template <typename Visit>
    void ForEachStoredObject(Visit visit)
    {
        for (const auto &record : m_records) {
            for (int i = 0; i < record->Count(); ++i)
                visit(*record->At(i).Object());
        }
    }

    int Index() const { return m_index; }
    int Count() const { return static_cast<int>(m_records.size()); }
    const UndoRecord &Record(int index) const { return *m_records[index]; }
    bool Owns(const CObjectData *object) const;
    // Destroys every record from the last to the first, and with them every owned object.
    void Clear();

    // Where a refused snapshot is reported; none keeps quiet.
    void SetMessageSink(kx::IMessageSink *sink) { m_messages = sink; }

private:
    struct CopyEntry {
        int record;
        const KXClass *copy;
    };
    struct LiveEntry {
        int record;
        CObjectData *object;
    };
    // Everything the history holds of one serial, in record order.
    struct SerialIndex {
        std::vector<CopyEntry> copies; // ACT_CREATE and ACT_MODIFY
        std::vector<LiveEntry> live; // ACT_ORIGINAL
        CopyEntry latest {-1, nullptr}; // copies.back(), kept here for the common look-up
        std::uint64_t comparedInSave = 0; // the save whose tree walk last compared the object
    };
    struct OriginalEntry {
        int record;
        CObjectData *object;
        SerialIndex *index;
    };

    std::unique_ptr<KXClass> MakeCopy(const KXClass &object) const;
    void IndexSnapshot(int recordIndex, const KXClassBackup &snapshot);
    void DropLastRecord();
    void RestoreDialog(const KXClass &copy);
    const SerialIndex *Find(std::uint64_t serial) const;
    static const KXClass *LatestCopyIn(const SerialIndex &index, int start);
    void AddOriginalChanges(UndoRecord &record, int recordIndex, bool skipComparedInSave);

    CKXDialogData *m_dialog;
    kx::IMessageSink *m_messages = nullptr;
    int m_index = 0;
    std::vector<std::unique_ptr<UndoRecord>> m_records;
    // Node-based, so SerialIndex addresses stay valid while the map grows.
    std::unordered_map<std::uint64_t, SerialIndex> m_serials;
    // Every ACT_ORIGINAL snapshot in record order.
    std::vector<OriginalEntry> m_originals;
    std::uint64_t m_save = 0;
};
