// The three owning lists of a project: dialogs, image definitions and font definitions.
#pragma once

#include "model/font_data.h"
#include "model/image_data.h"
#include "model/kx_class.h"
#include "model/kx_dialog_data.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// An ordered list that owns its elements and keeps their names unique (exact, case-sensitive
// comparison). Clearing, and so destroying, goes from the first element to the last, or from the
// last to the first for a list made with kClearFromBack.
template <typename T>
class CNamedList : public KXClass {
public:
    enum ClearOrder { kClearFromFront, kClearFromBack };

    explicit CNamedList(int kind, ClearOrder order = kClearFromFront)
        : KXClass(kind)
        , m_order(order)
    { }
    ~CNamedList() override { Clear(); }

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    T *At(int index) const
    {
        return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get()
                                             : nullptr;
    }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    // Appends the element unless its name is taken. On success the list takes the element
    // (element becomes empty) and answers its index; on -1 the caller still holds it.
    int Add(std::unique_ptr<T> &element)
    {
        if (!element || FindByName(element->Name()))
            return -1;
        m_items.push_back(std::move(element));
        return Count() - 1;
    }

    // The first element with exactly this name, or none.
    T *FindByName(std::string_view name) const
    {
        for (const auto &item : m_items) {
            if (item->Name() == name)
                return item.get();
        }
        return nullptr;
    }

    // The last element with exactly this name, or none.
    T *FindLastByName(std::string_view name) const
    {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if ((*it)->Name() == name)
                return it->get();
        }
        return nullptr;
    }

    int IndexOf(const T *element) const
    {
        for (int i = 0; i < Count(); ++i) {
            if (m_items[static_cast<std::size_t>(i)].get() == element)
                return i;
        }
        return -1;
    }

    // Exchanges the elements at two places (the panel's up and down commands); false when either
    // place is outside the list.
    bool Swap(int a, int b)
    {
        if (!At(a) || !At(b))
            return false;
        std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
        return true;
    }

    // Takes the element out of the list and hands it to the caller; none when absent.
    std::unique_ptr<T> Take(const T *element)
    {
        const int index = IndexOf(element);
        if (index < 0)
            return nullptr;
        std::unique_ptr<T> taken = std::move(m_items[static_cast<std::size_t>(index)]);
        m_items.erase(m_items.begin() + index);
        return taken;
    }

    // Takes every element out, in the list's order, and empties the list (to put them back in
    // another order).
    std::vector<std::unique_ptr<T>> TakeAll() { return std::exchange(m_items, {}); }

    // Destroys every element in the list's order and empties the list.
    void Clear()
    {
        if (m_order == kClearFromBack) {
            while (!m_items.empty())
                m_items.pop_back();
            return;
        }
        for (auto &item : m_items)
            item.reset();
        m_items.clear();
    }

private:
    ClearOrder m_order;
    std::vector<std::unique_ptr<T>> m_items;
};

class CFontDataList : public CNamedList<CFontData> {
public:
    CFontDataList()
        : CNamedList(kKindFontList)
    { }

    // Face identifier for a definition about to be added: 100 for an empty list, else one more
    // than the greatest identifier in the list (never below 100), so no two definitions share a
    // cached face by accident.
    int NextFaceId() const
    {
        int next = CFontData::kFirstFaceId;
        for (const auto &font : *this)
            next = std::max(next, font->FaceId() + 1);
        return next;
    }
};

class CImageDataList : public CNamedList<CImageData> {
public:
    CImageDataList()
        : CNamedList(kKindImageList)
    { }
};

// Dialogs are destroyed from the last to the first.
class CKXDialogDataList : public CNamedList<CKXDialogData> {
public:
    CKXDialogDataList()
        : CNamedList(kKindDialogList, kClearFromBack)
    { }
};
