// Base of every model object: its kind, whether its tree item is expanded, and its serial.
#pragma once

#include <cstdint>

// What a model object is; set once by the constructor of the concrete class.
enum KXKind : int {
    kKindResource = 0,
    kKindFontList = 1,
    kKindDialogList = 2,
    kKindImageList = 3,
    kKindDialog = 4,
    kKindObject = 5, // objects and groups
    kKindFont = 6,
    kKindImage = 7,
};

// Base of every model object. The serial identifies an object across its copies: every
// construction takes the next number of one process-wide counter, and CopyFrom hands the source's
// serial to the copy, so the editing history can match snapshots to live objects by serial.
class KXClass {
public:
    explicit KXClass(int kind);
    virtual ~KXClass();

    KXClass(const KXClass &) = delete;
    KXClass &operator=(const KXClass &) = delete;

    // Copies the kind, the tree-expanded flag and the serial; subclasses add their own state.
    virtual void CopyFrom(const KXClass &other);
    // Whether the state that CopyFrom copies is equal; the base has none to compare.
    virtual bool IsSameAs(const KXClass &other) const;

    int Kind() const { return m_kind; }
    bool IsTreeExpanded() const { return m_treeExpanded != 0; }
    void SetTreeExpanded(bool expanded) { m_treeExpanded = expanded ? 1 : 0; }
    std::uint64_t Serial() const { return m_serial; }

    // The serial the next construction will take; serials start at 1 and are never reused.
    static std::uint64_t PeekNextSerial();
    // How many model objects exist now (every construction counts one, every destruction takes
    // one away), so that tests can see that a structure frees everything it made.
    static std::int64_t LiveCount();

private:
    int m_kind;
    int m_treeExpanded = 0;
    std::uint64_t m_serial;
};
