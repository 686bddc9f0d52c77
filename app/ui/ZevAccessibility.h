#pragma once

#include <QString>

class QAbstractItemView;
class QLabel;
class QModelIndex;
class QWidget;

namespace zev {

// How the program's controls get the names and announcements a screen reader
// needs, applied once per window rather than by hand in every screen: the
// caption a field stands beside in its Qt layout becomes its label's buddy,
// lists take the text of their buddy label, and cell editors say what they edit.
class ZevAccessibility {
public:
    // "&User ID:" -> "User ID": the caption as a person would say it.
    static QString PlainName(const QString& text);

    // Gives every unnamed field of `root` the caption it sits beside: the
    // label of its form row, the label left of it in a grid row, or the label
    // just before it in a row or column of widgets. Lists whose label is
    // their buddy take its text as their name (a list's accessible name does
    // not follow a buddy by itself); a list of the distributor's definitions
    // without one is named after the definition. Returns how many controls
    // were named.
    static int NameFields(QWidget* root);

    // The label whose buddy `control` is, or null.
    static QLabel* BuddyLabelOf(const QWidget* control);

    // Keeps explicit accessible names in step when a caption is replaced: a
    // control named after its old text, or a list named after its buddy
    // label's old text, is renamed after the new text.
    static void FollowCaption(QWidget* control, const QString& oldText, const QString& newText);

    // Names an in-place editor of a list after the column it edits and
    // describes which row: "Cases, row 3 of 40: 1042 Merlot".
    static void DescribeCellEditor(QWidget* editor, const QAbstractItemView* view, const QModelIndex& index);
};

} // namespace zev
