#pragma once

#include <string>

// What the fill operations need of a report-style list control. A view wraps
// its real control in one of these so the library stays free of any toolkit.
class IListCtrlTarget {
public:
    virtual ~IListCtrlTarget() = default;
    virtual void DeleteAllItems() = 0;
    // Returns the index the item received.
    virtual int InsertItem(int index, const std::string& text) = 0;
    virtual void SetItemText(int item, int subItem, const std::string& text) = 0;
};

// What the fill operations need of a list box or combo box.
class IListBoxTarget {
public:
    virtual ~IListBoxTarget() = default;
    virtual void ResetContent() = 0;
    // Returns the index of the new entry, or a negative value on failure.
    virtual int AddString(const std::string& text) = 0;
    virtual void SetItemData(int index, long data) = 0;
};

using IComboBoxTarget = IListBoxTarget;

// A window that finds its child controls by identifier; null when it has no
// such child (or the child is of another kind).
class IControlParent {
public:
    virtual ~IControlParent() = default;
    virtual IListCtrlTarget* GetListCtrl(int id) = 0;
    virtual IListBoxTarget* GetListBox(int id) = 0;
    virtual IComboBoxTarget* GetComboBox(int id) = 0;
};
